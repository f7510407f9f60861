// The script commands that stop, start and wait for programs and services.
#pragma once

namespace quillo::setup {

int CloseProgramCommand(const char* name);
int StopServiceCommand(const char* name);
// option: "Elevated" to start a program with Setup's own rights.
int RunCommand(const char* file, const char* parameters, const char* option);
// show: starting with "H" hides the window; option "SILENT" forgives a program that cannot start.
int CallCommand(const char* program, const char* parameters, const char* folder,
                const char* show, const char* option);

}  // namespace quillo::setup
