// The core ignores the process's C and C++ locales: a process in a German locale still reads
// "1.5" as one and a half and writes NumberText with a full stop.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <locale>
#include <random>
#include <stdexcept>
#include <string>

#include "tuneworks_core.hpp"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace tuneworks {
namespace {

// Everything that a locale could change, checked against the fixed rules.
void ExpectLocaleFreeResults() {
  EXPECT_EQ(ReadNumber("1.5"), 1.5);
  EXPECT_EQ(ReadNumber("1,5"), 1.0);
  EXPECT_EQ(ReadNumber("1.000,5"), 1.0);
  EXPECT_EQ(NumberText(1.5), " 1.5");
  EXPECT_EQ(NumberText(20000000), " 20000000");
  EXPECT_EQ(NumberText(1234567.25), " 1234567.25");
  EXPECT_EQ(NumberText(1e20), " 1E+20");
  EXPECT_EQ(ResolutionPicture(1.5), "1.5Hz");
  EXPECT_EQ(ResolutionPicture(1234567.5, ","), "1234567,5Hz");
  CalcState state;
  const CalcOutputs out = Calculate(CalcInputs{"20.5", "1", "1.5", "1", 2, 2, 1}, state);
  EXPECT_EQ(out.Clock, " 20500000");
  EXPECT_EQ(out.DDSFreq, " 1500000");
  EXPECT_NE(out.Results->find("Resolution    .00477303Hz"), std::string::npos);
}

// A C++ locale whose numbers use a comma and group by full stops, built without any installed
// locale: proves independence from std::locale::global.
struct GermanPunct : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(Locale, GlobalCppLocaleWithCommaDoesNotLeakIn) {
  const std::locale previous =
      std::locale::global(std::locale(std::locale::classic(), new GermanPunct));
  ExpectLocaleFreeResults();
  std::locale::global(previous);
}

// glibc's setlocale keeps a LOCPATH list that it never frees; not the core's leak.
#if defined(__SANITIZE_ADDRESS__)
using IgnoreLibcLeaks = __lsan::ScopedDisabler;
#else
struct IgnoreLibcLeaks {};
#endif

// Emscripten's C library takes any locale name but has no German number format, so there is no
// German locale to leak in: the web build leaves the German test out.
#if !defined(__EMSCRIPTEN__)
// Sets a German C locale: an installed one, or (on glibc) one compiled with localedef into a
// temporary folder that LOCPATH points to. Returns an empty text when neither is possible.
std::string SetGermanCLocale([[maybe_unused]] std::filesystem::path& compiled) {
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German_Germany.1252", "de-DE"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) return name;
  }
#if defined(__GLIBC__)
  std::random_device random;
  compiled =
      std::filesystem::temp_directory_path() / ("tuneworks_locale_" + std::to_string(random()));
  std::filesystem::create_directories(compiled);
  const std::string command =
      "localedef -i de_DE -f UTF-8 '" + (compiled / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
  if (std::system(command.c_str()) == 0 && setenv("LOCPATH", compiled.c_str(), 1) == 0) {
    [[maybe_unused]] const IgnoreLibcLeaks ignore;
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) return "de_DE.UTF-8 (compiled)";
  }
#endif
  return {};
}

TEST(Locale, GermanCLocaleDoesNotLeakIn) {
  std::filesystem::path compiled;
  const std::string name = SetGermanCLocale(compiled);
  if (name.empty()) {
    if (!compiled.empty()) std::filesystem::remove_all(compiled);
    GTEST_SKIP() << "no German C locale is installed and none could be compiled with localedef";
  }
  // The locale really is German: the C library itself now writes a comma.
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
  EXPECT_STREQ(buffer, "1,5") << name;

  // The C++ global locale German too, where the library can make it from the same name.
  std::locale previous = std::locale::classic();
  try {
    [[maybe_unused]] const IgnoreLibcLeaks ignore;
    previous = std::locale::global(std::locale(std::setlocale(LC_ALL, nullptr)));
  } catch (const std::runtime_error&) {
  }
  ExpectLocaleFreeResults();
  {
    [[maybe_unused]] const IgnoreLibcLeaks ignore;
    std::locale::global(previous);
    std::setlocale(LC_ALL, "C");
  }
  if (!compiled.empty()) std::filesystem::remove_all(compiled);
}
#endif

}  // namespace
}  // namespace tuneworks
