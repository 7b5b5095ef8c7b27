#pragma once
// The stage view's two keys: the view token lets a browser watch the timer,
// the control token also lets it start, pause and set the timer. Each is 128
// bits from the system's cryptographic random generator, written as 32
// lowercase hexadecimal digits.
#include <string>
#include <string_view>

struct Settings;

// A fresh token; empty when the system's generator failed.
std::string NewStageToken();
// 32 hexadecimal digits.
bool IsStageToken(std::string_view token);
// Gives each token that is missing or malformed a fresh one; true when any changed.
bool EnsureStageTokens(Settings& s);
// Replaces both tokens (the settings window's "renew" button); true when both were made.
bool RenewStageTokens(Settings& s);
// Compares a token a request carries with a stored one in a time that does not
// depend on where they differ. An empty stored token matches nothing.
bool TokenMatches(std::string_view given, std::string_view stored);
