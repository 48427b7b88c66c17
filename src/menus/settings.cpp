#include "menus/settings.h"

// The file is 8-bit text, read and written as it is. Debian's header keeps the template bodies
// behind SI_IMPLEMENTATION; instantiating them here needs no library.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <string>

#include "menus/data_folder.h"
#include "platform/error.h"

namespace jizdavo {

namespace {

constexpr const char* kSection = "Options";
constexpr const char* kPlayMusic = "PlayMusic";
constexpr const char* kPlaySE = "PlaySE";
constexpr const char* kShowFPS = "ShowFPS";
constexpr const char* kMVolume = "MVolume";
constexpr const char* kSEVolume = "SEVolume";

void LoadText(CSimpleIniA& ini, std::string_view text) { ini.LoadData(text.data(), text.size()); }

int32_t ReadInteger(const CSimpleIniA& ini, const char* key, int32_t fallback) {
  const char* value = ini.GetValue(kSection, key, nullptr);
  return value == nullptr ? fallback : ParseInteger(value).value_or(fallback);
}

bool ReadBoolean(const CSimpleIniA& ini, const char* key, bool fallback) {
  return ReadInteger(ini, key, fallback ? 1 : 0) != 0;
}

SavedOptions ReadOptions(const CSimpleIniA& ini) {
  const SavedOptions defaults;
  SavedOptions options;
  options.PlayMusic = ReadBoolean(ini, kPlayMusic, defaults.PlayMusic);
  options.PlaySE = ReadBoolean(ini, kPlaySE, defaults.PlaySE);
  options.ShowFPS = ReadBoolean(ini, kShowFPS, defaults.ShowFPS);
  options.MVolume = ReadInteger(ini, kMVolume, defaults.MVolume);
  options.SEVolume = ReadInteger(ini, kSEVolume, defaults.SEVolume);
  return options;
}

}  // namespace

SavedOptions ParseOptions(std::string_view iniText) {
  CSimpleIniA ini;
  LoadText(ini, iniText);
  return ReadOptions(ini);
}

std::optional<std::string> WithOptions(std::string_view iniText, const SavedOptions& options) {
  CSimpleIniA ini;
  ini.SetSpaces(false);
  LoadText(ini, iniText);
  const auto set = [&ini](const char* key, int32_t value) {
    ini.SetValue(kSection, key, std::to_string(value).c_str());
  };
  set(kPlayMusic, options.PlayMusic ? 1 : 0);
  set(kPlaySE, options.PlaySE ? 1 : 0);
  set(kShowFPS, options.ShowFPS ? 1 : 0);
  set(kMVolume, options.MVolume);
  set(kSEVolume, options.SEVolume);
  std::string text;
  if (ini.Save(text) < 0) return std::nullopt;
  return text;
}

SettingsFile::SettingsFile(std::filesystem::path file)
    : path_(std::move(file)), text_(ReadFile(path_).value_or("")) {}

SavedOptions SettingsFile::Read() const { return ParseOptions(text_); }

void SettingsFile::Write(const SavedOptions& options) {
  // Start from the file as it is now, so lines written by anyone since start-up are kept too.
  std::optional<std::string> text = WithOptions(ReadFile(path_).value_or(text_), options);
  if (!text) throw Error("Unable to write to " + path_.string());
  ReplaceFileAtomically(path_, *text);
  text_ = std::move(*text);
}

}  // namespace jizdavo
