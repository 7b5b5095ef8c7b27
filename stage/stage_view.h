#pragma once
// The stage view as the rest of the program sees it: the settings turn the
// server on and off, every refresh publishes what the strip shows.
#include <string>

#include "stage/stage_server.h"
#include "timekeeping/time_values.h"

struct Settings;

// Starts, restarts or stops the server to match the settings. Makes the
// tokens first when they are missing (and saves them); a server already
// running as the settings say is left alone.
StageServerStatus ApplyStageViewSettings();
// The refresh: publishes the timer when the server runs. clockTime is the
// real time of the sample.
void PublishStageView(TimeValue clockTime);
// "http://HOST:PORT/?token=TOKEN": the loopback address, or with StageViewLan
// this computer's address on the local network.
std::string StageViewAddress(const Settings& s, const std::string& token);
// This computer's first IPv4 address that is not the loopback's, or the
// loopback address when it has none.
std::string LocalNetworkAddress();
