#pragma once

#include <cstdint>

namespace veyora::frontend {

// Error numbers of the command-string interpreter; 0 is success. The values
// follow the usual multimedia command error numbering.
namespace mci_error {
constexpr int32_t kUnrecognizedKeyword = 259;
constexpr int32_t kUnrecognizedCommand = 261;
constexpr int32_t kHardware = 262;
constexpr int32_t kInvalidDeviceName = 263;
constexpr int32_t kDeviceOpen = 265;
constexpr int32_t kParamOverflow = 268;
constexpr int32_t kBadInteger = 270;
constexpr int32_t kMissingParameter = 273;
constexpr int32_t kUnsupportedFunction = 274;
constexpr int32_t kFileNotFound = 275;
constexpr int32_t kDeviceNotReady = 276;
constexpr int32_t kOutOfRange = 282;
constexpr int32_t kDuplicateAlias = 289;
constexpr int32_t kMissingDeviceName = 292;
constexpr int32_t kBadTimeFormat = 293;
constexpr int32_t kInvalidFile = 296;
}  // namespace mci_error

}  // namespace veyora::frontend
