#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace pellimore::inspect {

// Each command takes its own arguments (after the command word) and returns the exit code.
int RunTokenize(const std::vector<std::string>& args);
int RunRead(const std::vector<std::string>& args);
int RunHeader(const std::vector<std::string>& args);
int RunSave(const std::vector<std::string>& args);

// Working-code-page bytes as a JSON string (converted to UTF-8).
nlohmann::json Text(const std::string& bytes);
// A path (the file system's bytes) or a message naming paths: UTF-8 as it is, other bytes taken
// as the working code page.
nlohmann::json PathText(const std::string& bytes);
// Whether a header field holds a path rather than a text.
bool IsPathField(std::string_view name);
// Reads a whole file; throws std::runtime_error naming the path.
std::string ReadWholeFile(const std::string& path);
// Prints the JSON document to standard output.
void Print(const nlohmann::json& document);

}  // namespace pellimore::inspect
