// One line per document of the host, as facetor-host prints them after a command.
#pragma once

#include "sim/Model.h"

#include <string>

// "Part1: part, unit 3, 2 bodies, 24 faces, 0 sketch lines, 0 other sketch entities"
std::string DocumentSummary(const sim::Document& document);
// "part", "assembly" or "drawing".
const char* DocumentTypeName(sim::DocumentType type);
