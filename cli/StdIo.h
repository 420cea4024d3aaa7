#pragma once
#include <memory>

#include "cli/CalcCli.h"

// The process's standard streams as CliIo.
std::unique_ptr<CliIo> MakeStdIo();
