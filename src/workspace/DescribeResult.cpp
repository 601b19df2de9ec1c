#include "DescribeResult.h"

namespace zev::workspace {

std::string DescribeResult(std::uint32_t code) {
    switch (code) {
    case RenderResult::kOk:
        return "No error.";
    case 0x0500: // GL_INVALID_ENUM
        return "An unacceptable value is specified for an enumerated argument.";
    case 0x0501: // GL_INVALID_VALUE
        return "A numeric argument is out of range.";
    case 0x0502: // GL_INVALID_OPERATION
        return "The specified operation is not allowed in the current state.";
    case 0x0503: // GL_STACK_OVERFLOW
        return "An attempt has been made to perform an operation that would cause an internal "
               "stack to overflow.";
    case 0x0504: // GL_STACK_UNDERFLOW
        return "An attempt has been made to perform an operation that would cause an internal "
               "stack to underflow.";
    case 0x0505: // GL_OUT_OF_MEMORY
        return "There is not enough memory left to execute the command.";
    case 0x0506: // GL_INVALID_FRAMEBUFFER_OPERATION
        return "The framebuffer object is not complete.";
    case 0x0507: // GL_CONTEXT_LOST
        return "The OpenGL context has been lost, due to a graphics card reset.";
    case RenderResult::kNoContext:
        return "No OpenGL rendering context could be created.";
    case RenderResult::kVersionTooOld:
        return "The OpenGL rendering context is older than version 3.3.";
    case RenderResult::kNoScreen:
        return "The chosen display is not available.";
    case RenderResult::kNoFramebuffer:
        return "The rendering surface could not be created.";
    case RenderResult::kShaderFailed:
        return "The workspace shaders could not be built.";
    case RenderResult::kNoModeFits:
        return "The chosen display mode is larger than the display.";
    default:
        break;
    }
    return "Unrecognized error value.";
}

} // namespace zev::workspace
