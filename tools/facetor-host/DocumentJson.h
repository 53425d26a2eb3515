// The documents of the host written as JSON files, one per document (the form is described in
// this folder's README).
#pragma once

#include "sim/Model.h"

#include <string>

// Writes every document of the model into `folder` (made when missing) as <title>.json; false,
// with `error` set, when a file cannot be written.
bool SaveDocuments(const sim::Model& model, const std::string& folder, std::string& error);
