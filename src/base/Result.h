#pragma once
// The result of a step that can fail for a reason worth telling: a value, or
// the file it concerns with the system's reason (cFileError).

#include <utility>

#include "base/cFileError.h"

#if __has_include(<expected>)
#include <expected>
#endif

namespace orvik {

#if defined(__cpp_lib_expected)

template <typename T = void>
using tResult = std::expected<T, cFileError>;

inline std::unexpected<cFileError> Failure(cFileError error) { return std::unexpected<cFileError>(std::move(error)); }

#else

// Compilers whose library lacks std::expected (clang 14 with libstdc++ 12,
// which the fuzzing build uses) get the few members the program needs.
struct cFailure {
    cFileError error;
};
inline cFailure Failure(cFileError error) { return cFailure{std::move(error)}; }

template <typename T = void>
class tResult {
public:
    tResult(T value) : m_Value(std::move(value)), m_Ok(true) {}
    tResult(cFailure failure) : m_Error(std::move(failure.error)), m_Ok(false) {}
    bool has_value() const noexcept { return m_Ok; }
    explicit operator bool() const noexcept { return m_Ok; }
    T& operator*() { return m_Value; }
    const T& operator*() const { return m_Value; }
    T* operator->() { return &m_Value; }
    const T* operator->() const { return &m_Value; }
    const T& value() const { return m_Value; }
    const cFileError& error() const { return m_Error; }

private:
    T m_Value{};
    cFileError m_Error;
    bool m_Ok;
};

template <>
class tResult<void> {
public:
    tResult() = default;
    tResult(cFailure failure) : m_Error(std::move(failure.error)), m_Ok(false) {}
    bool has_value() const noexcept { return m_Ok; }
    explicit operator bool() const noexcept { return m_Ok; }
    const cFileError& error() const { return m_Error; }

private:
    cFileError m_Error;
    bool m_Ok = true;
};

#endif

}  // namespace orvik
