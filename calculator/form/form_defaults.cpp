// The calculator's starting inputs as one record.
#include "form_defaults.hpp"

#include <string>

namespace tuneworks {

CalcInputs DefaultInputs() {
  return CalcInputs{std::string(kDefaultRef),  std::string(kDefaultPLLMult),
                    std::string(kDefaultFout), std::string(kDefaultRFMult),
                    kDefaultClkUnits,          kDefaultFunits,
                    kDefaultResolution};
}

}  // namespace tuneworks
