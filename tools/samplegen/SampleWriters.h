#pragma once
// Writers of the synthetic sample files. The samples are made from the file
// layouts alone, with a fixed random seed, so every run writes the same bytes.

#include <cstdint>
#include <random>
#include <string>

namespace samplegen {

// A deterministic source of plausible measurement data.
class SampleRandom {
public:
    explicit SampleRandom(uint32_t seed) : m_engine(seed) {}
    double Uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(m_engine); }
    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_engine); }
    bool Chance(double p) { return Uniform(0.0, 1.0) < p; }

private:
    std::mt19937 m_engine;
};

void WriteFile(const std::string& path, const std::string& bytes);

// PM01BS02 and IMEXPORT001 samples.
void WriteDeviceSamples(const std::string& folder);
// Side files of the samples; reads the device samples written before.
void WriteSideFileSamples(const std::string& folder);
// Samples of the text formats (PM01BS01, dated column table, listing, older tables).
void WriteTextFormatSamples(const std::string& folder);

// Runs of count points a decimetre apart, as the device records them (a million
// points are 100 km): PM01BS02 (twice: the second copy is evaluated by a side
// file, see below), the same run as IMEXPORT001, and PM01BS01.
void WriteBigDeviceSamples(const std::string& folder, int count);
void WriteBigTextSamples(const std::string& folder, int count);
// The side file of a long run that a lab has evaluated: sections and about
// exceedanceCount exceedances spread evenly over the run.
void WriteBigEvaluatedSideFile(const std::string& measurementPath, int exceedanceCount);

}  // namespace samplegen
