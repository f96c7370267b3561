#pragma once
// The exerciser's dice: one generator per concern (actions, dialog answers,
// print and preview answers, broken inputs), each derived from the run's seed,
// so one seed replays the same sequence.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <random>
#include <vector>

namespace kurvex::exerciser {

class Random {
public:
    Random(uint64_t seed, uint64_t stream) : m_engine(seed * 0x9E3779B97F4A7C15ull + stream) {}

    // lo..hi, both included.
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_engine); }
    double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(m_engine); }
    bool Chance(double probability) { return Real(0.0, 1.0) < probability; }
    template <typename T>
    const T& Pick(const std::vector<T>& items)
    {
        return items.at(static_cast<size_t>(Int(0, static_cast<int>(items.size()) - 1)));
    }
    const QString& Pick(const QStringList& items) { return items.at(Int(0, static_cast<int>(items.size()) - 1)); }
    // An index by weight.
    size_t Weighted(const std::vector<double>& weights)
    {
        return std::discrete_distribution<size_t>(weights.begin(), weights.end())(m_engine);
    }
    std::mt19937_64& Engine() { return m_engine; }

private:
    std::mt19937_64 m_engine;
};

// Streams of the generators.
enum Stream : uint64_t { kActionStream = 1, kAnswerStream = 2, kPrintStream = 3, kInputStream = 4 };

}  // namespace kurvex::exerciser
