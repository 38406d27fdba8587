#pragma once

#include "renderer/lookup_table.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

namespace ox::renderer::opengl {

// The error codes OpenGL's glGetError can return, as the renderer's error poll
// names them.
enum class EGlError : std::int32_t {
    NoError = 0,
    InvalidEnum = 1,
    InvalidValue = 2,
    InvalidOperation = 3,
    StackOverflow = 4,
    StackUnderflow = 5,
    OutOfMemory = 6,
    InvalidFramebufferOperation = 7,
    ContextLost = 8,
    TableTooLarge = 9,
};

inline constexpr std::array<std::pair<EGlError, std::uint32_t>, 10> glErrorCodes{{
    {EGlError::NoError, 0x0000},
    {EGlError::InvalidEnum, 0x0500},
    {EGlError::InvalidValue, 0x0501},
    {EGlError::InvalidOperation, 0x0502},
    {EGlError::StackOverflow, 0x0503},
    {EGlError::StackUnderflow, 0x0504},
    {EGlError::OutOfMemory, 0x0505},
    {EGlError::InvalidFramebufferOperation, 0x0506},
    {EGlError::ContextLost, 0x0507},
    {EGlError::TableTooLarge, 0x8031},
}};

// First table entry with the given GL code; empty for a code OpenGL does not define.
constexpr std::optional<EGlError> glErrorFromCode(std::uint32_t code) {
    return reverseLookUp(glErrorCodes, code);
}

constexpr std::string_view glErrorName(EGlError error) {
    switch (error) {
    case EGlError::NoError:
        return "NoError";
    case EGlError::InvalidEnum:
        return "InvalidEnum";
    case EGlError::InvalidValue:
        return "InvalidValue";
    case EGlError::InvalidOperation:
        return "InvalidOperation";
    case EGlError::StackOverflow:
        return "StackOverflow";
    case EGlError::StackUnderflow:
        return "StackUnderflow";
    case EGlError::OutOfMemory:
        return "OutOfMemory";
    case EGlError::InvalidFramebufferOperation:
        return "InvalidFramebufferOperation";
    case EGlError::ContextLost:
        return "ContextLost";
    case EGlError::TableTooLarge:
        return "TableTooLarge";
    }
    return "(translation failed)";
}

} // namespace ox::renderer::opengl
