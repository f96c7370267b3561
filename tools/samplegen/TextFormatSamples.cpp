#include "SampleWriters.h"

namespace samplegen {

void WriteTextFormatSamples(const std::string&)
{
}

}  // namespace samplegen
