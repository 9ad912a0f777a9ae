// Reading generator parameter files and their key=value settings.
#include "param_file.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

namespace datagen {

namespace {

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Names become paths inside one output folder: folder and file names of
// plain characters separated by '/', none empty or starting with a dot, so
// that no name leads outside the folder.
bool isPlainFileName(const std::string& name) {
  for (const std::string& part : splitList(name, '/')) {
    if (part.empty() || part[0] == '.') return false;
    for (char c : part) {
      bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                   c == '_' || c == '-';
      if (!plain) return false;
    }
  }
  return true;
}

std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> result;
  std::istringstream in(line);
  for (std::string word; in >> word;) result.push_back(word);
  return result;
}

}  // namespace

bool parseNumber(const std::string& text, double& value) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (begin != end && *begin == '+') ++begin;
  auto [last, status] = std::from_chars(begin, end, value);
  return status == std::errc() && last == end && std::isfinite(value);
}

bool parseColour(const std::string& text, Colour& colour) {
  if (text.size() != 6) return false;
  float channels[3];
  for (int i = 0; i < 3; ++i) {
    int high = hexDigit(text[2 * i]), low = hexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    channels[i] = static_cast<float>(high * 16 + low) / 255.0f;
  }
  colour = {channels[0], channels[1], channels[2], 1.0f};
  return true;
}

std::vector<std::string> splitList(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string::size_type start = 0;
  while (true) {
    std::string::size_type stop = text.find(separator, start);
    parts.push_back(text.substr(start, stop - start));
    if (stop == std::string::npos) break;
    start = stop + 1;
  }
  return parts;
}

Settings::Settings(std::vector<std::pair<std::string, std::string>> pairs)
    : pairs_(std::move(pairs)), used_(pairs_.size(), false) {}

void Settings::fail(const std::string& message) {
  if (error_.empty()) error_ = message;
}

const std::string* Settings::single(const std::string& key) {
  const std::string* found = nullptr;
  for (std::size_t i = 0; i < pairs_.size(); ++i) {
    if (pairs_[i].first != key) continue;
    if (found != nullptr) fail("\"" + key + "\" is given twice");
    found = &pairs_[i].second;
    used_[i] = true;
  }
  return found;
}

double Settings::number(const std::string& key, double fallback) {
  const std::string* text = single(key);
  if (text == nullptr) return fallback;
  double value = 0;
  if (!parseNumber(*text, value)) {
    fail("\"" + key + "\" needs a number, not \"" + *text + "\"");
    return fallback;
  }
  return value;
}

int Settings::integer(const std::string& key, int fallback, int low, int high) {
  const std::string* text = single(key);
  if (text == nullptr) return fallback;
  int value = 0;
  auto [last, status] = std::from_chars(text->data(), text->data() + text->size(), value);
  if (status != std::errc() || last != text->data() + text->size() || value < low || value > high) {
    fail("\"" + key + "\" needs a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
         ", not \"" + *text + "\"");
    return fallback;
  }
  return value;
}

std::uint64_t Settings::seed() { return static_cast<std::uint64_t>(integer("seed", 0, 0, 2147483647)); }

std::string Settings::text(const std::string& key, const std::string& fallback) {
  const std::string* value = single(key);
  return value == nullptr ? fallback : *value;
}

Colour Settings::colour(const std::string& key, Colour fallback) {
  const std::string* text = single(key);
  if (text == nullptr) return fallback;
  Colour value;
  if (!parseColour(*text, value)) {
    fail("\"" + key + "\" needs a colour RRGGBB, not \"" + *text + "\"");
    return fallback;
  }
  return value;
}

std::vector<Colour> Settings::colours(const std::string& key, std::vector<Colour> fallback) {
  const std::string* text = single(key);
  if (text == nullptr) return fallback;
  std::vector<Colour> values;
  for (const std::string& part : splitList(*text, ',')) {
    Colour value;
    if (!parseColour(part, value)) {
      fail("\"" + key + "\" needs colours RRGGBB,RRGGBB,..., not \"" + *text + "\"");
      return fallback;
    }
    values.push_back(value);
  }
  return values;
}

std::vector<double> Settings::numbers(const std::string& key, std::vector<double> fallback) {
  const std::string* text = single(key);
  if (text == nullptr) return fallback;
  std::vector<double> values;
  for (const std::string& part : splitList(*text, ',')) {
    double value = 0;
    if (!parseNumber(part, value)) {
      fail("\"" + key + "\" needs numbers separated by commas, not \"" + *text + "\"");
      return fallback;
    }
    values.push_back(value);
  }
  return values;
}

bool Settings::size(const std::string& key, int& width, int& height) {
  const std::string* text = single(key);
  if (text == nullptr) {
    fail("\"" + key + "\" is missing");
    return false;
  }
  std::vector<std::string> sides = splitList(*text, 'x');
  double w = 0, h = 0;
  if (sides.size() != 2 || !parseNumber(sides[0], w) || !parseNumber(sides[1], h) || w != std::floor(w) ||
      h != std::floor(h) || w > 8192 || h > 8192 || !isPowerOfTwo(static_cast<int>(w)) ||
      !isPowerOfTwo(static_cast<int>(h))) {
    fail("\"" + key + "\" needs WIDTHxHEIGHT in powers of two up to 8192, not \"" + *text + "\"");
    return false;
  }
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

std::vector<std::string> Settings::repeated(const std::string& key) {
  std::vector<std::string> values;
  for (std::size_t i = 0; i < pairs_.size(); ++i) {
    if (pairs_[i].first != key) continue;
    values.push_back(pairs_[i].second);
    used_[i] = true;
  }
  return values;
}

bool Settings::finish(std::string& error) const {
  if (!error_.empty()) {
    error = error_;
    return false;
  }
  for (std::size_t i = 0; i < pairs_.size(); ++i) {
    if (!used_[i]) {
      error = "unknown setting \"" + pairs_[i].first + "\"";
      return false;
    }
  }
  return true;
}

bool parseRecipes(const std::string& text, std::vector<Recipe>& recipes, std::string& error) {
  std::istringstream in(text);
  int lineNumber = 0;
  for (std::string line; std::getline(in, line);) {
    ++lineNumber;
    std::vector<std::string> parts = words(line);
    if (parts.empty() || parts[0][0] == '#') continue;
    std::string where = "line " + std::to_string(lineNumber) + ": ";
    if (parts.size() < 2) {
      error = where + "a recipe needs a name and a kind";
      return false;
    }
    if (!isPlainFileName(parts[0])) {
      error = where + "\"" + parts[0] + "\" is not a plain file name";
      return false;
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t i = 2; i < parts.size(); ++i) {
      std::string::size_type equals = parts[i].find('=');
      if (equals == std::string::npos || equals == 0) {
        error = where + "\"" + parts[i] + "\" is not key=value";
        return false;
      }
      pairs.emplace_back(parts[i].substr(0, equals), parts[i].substr(equals + 1));
    }
    for (const Recipe& earlier : recipes) {
      if (earlier.name == parts[0]) {
        error = where + "\"" + parts[0] + "\" is already made on line " + std::to_string(earlier.line);
        return false;
      }
    }
    recipes.push_back({parts[0], parts[1], Settings(std::move(pairs)), lineNumber, ""});
  }
  return true;
}

bool readRecipeFile(const std::string& path, std::vector<Recipe>& recipes, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t first = recipes.size();
  if (!parseRecipes(text, recipes, error)) {
    error = path + ": " + error;
    return false;
  }
  for (std::size_t i = first; i < recipes.size(); ++i) recipes[i].source = path;
  return true;
}

}  // namespace datagen
