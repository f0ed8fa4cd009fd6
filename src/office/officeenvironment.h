#pragma once

#include <string>
#include <vector>

// The environment the office process is started with: the caller's `environment` (entries
// "NAME=value"), made such that the office reads and writes file names as UTF-8.
//
// The office takes the character set of file names from the locale named by LC_ALL, else
// LC_CTYPE, else LANG (else "C"). Where that locale is not installed or is no UTF-8 locale (a
// machine that names no locale, or LC_ALL=C), the office would read every name outside ASCII
// wrongly: then the variable that decides it (LC_ALL when set, else LC_CTYPE) names the UTF-8
// form of the same language where that is installed, else C.UTF-8. Nothing else changes, and
// a caller whose locale is UTF-8 already gets its environment as it is.
std::vector<std::string> officeEnvironment(const std::vector<std::string> &environment);
