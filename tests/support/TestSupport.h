#pragma once
// Small helpers shared by the tests of every layer (the kurvex_test_support library).

#include <cstdint>
#include <string>
#include <vector>

namespace kurvex::test {

// Path of a file below the tests folder, e.g. FixturePath("measurement/fixtures/a.pbs").
std::string FixturePath(const std::string& relative);
// Path of a file of the samples folder, e.g. SamplePath("pm01bs02_sample.pbs").
std::string SamplePath(const std::string& name);
// Paths are UTF-8 here as in the core, also on Windows ("Łódź_Straße.pbs").
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
void MakeFolders(const std::string& path);
// A fresh, empty folder for one test's files.
std::string TempFolder(const std::string& name);
// Whether the folder's file system tells "a.pbs" from "A.pbs" (Linux does,
// Windows does not).
bool CaseSensitiveFileNames(const std::string& folder);

// Bytes of a PM01BS02 record: five little-endian doubles (value mm, -, station km,
// width m, -), the comment and CR LF.
std::string Pm01bs02Record(double valueMm, double stationKm, double widthM, const std::string& comment = "");

// Runs a function with LC_ALL/LC_NUMERIC set to a German locale when one is
// installed (decimal comma); returns false when no such locale exists.
bool WithGermanNumericLocale(void (*body)());

}  // namespace kurvex::test
