// The calculator's starting inputs as one record.
#include "tuneworks_core.hpp"

#include <string>

namespace tuneworks {

CalcInputs DefaultInputs() {
  return CalcInputs{std::string(kDefaultRef),  std::string(kDefaultPLLMult),
                    std::string(kDefaultFout), std::string(kDefaultRFMult),
                    kDefaultClkUnits,          kDefaultFunits,
                    kDefaultResolution};
}

}  // namespace tuneworks
