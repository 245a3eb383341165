// Runs the built `mnm` program and captures what it prints.
#pragma once

#include <string>
#include <vector>

struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;
};

ToolResult RunTool(const std::vector<std::string>& args);

// A fresh temporary folder for one test.
std::string TempDir();
