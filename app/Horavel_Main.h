#pragma once
// The program's spine: start-up, shutdown and the fault report.
#include <string>

#include "platform/system.h"

[[noreturn]] void ProgramMain();
// Returns false when the main window could not be opened.
bool InitApplication();
[[noreturn]] void ShutdownApplication();
[[noreturn]] void EndProgram();
[[noreturn]] void ReportProgramError(const platform::FaultInfo& fault);
std::string FaultReportText(const platform::FaultInfo& fault);
