#pragma once

#include <cstdint>
#include <string>

namespace zev::workspace {

// Result codes of the workspace's rendering layer: OpenGL's error codes, and codes of its own
// for what can fail while a device is set up.
namespace RenderResult {
constexpr std::uint32_t kOk = 0;
constexpr std::uint32_t kNoContext = 0x5A450001;     // no OpenGL context could be created
constexpr std::uint32_t kVersionTooOld = 0x5A450002; // the context is below OpenGL 3.3
constexpr std::uint32_t kNoScreen = 0x5A450003;      // the chosen screen is not there
constexpr std::uint32_t kNoFramebuffer = 0x5A450004; // the render target could not be made
constexpr std::uint32_t kShaderFailed = 0x5A450005;  // a shader did not compile or link
constexpr std::uint32_t kNoModeFits = 0x5A450006;    // the chosen resolution exceeds the screen
} // namespace RenderResult

// The text of a result code; "Unrecognized error value." for codes outside the table.
std::string DescribeResult(std::uint32_t code);

} // namespace zev::workspace
