#pragma once

#include "check/DiscReport.h"

#include <ostream>
#include <string>

namespace discmenu::check {

// The report for people: the disc state and header, every page with what each item does,
// the problems with their reasons and paths, and a summary line. folder is the disc folder
// as the machine names it.
void writeText(std::ostream& out, const DiscReport& report, const std::string& folder);

// The same report as one JSON document (schema "discmenu-check/1", described in README.md).
void writeJson(std::ostream& out, const DiscReport& report, const std::string& folder);

// The last line of the text report: what was checked and how many problems it found.
std::string summaryLine(const DiscReport& report);
// The items of every page and the two fixed ones.
std::size_t itemCount(const DiscReport& report);

} // namespace discmenu::check
