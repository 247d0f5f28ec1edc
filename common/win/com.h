// RAII owners of COM resources: interface pointers, BSTRs, VARIANTs and the
// COM initialization of a thread. None of them can be copied.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string_view>
#include <utility>

// Owns one reference to an interface pointer and releases it.
template <typename Interface>
class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        reset(std::exchange(other.pointer_, nullptr));
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { reset(); }

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    void reset(Interface* pointer = nullptr) {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
        pointer_ = pointer;
    }
    // For functions that return a new reference through an output parameter.
    Interface** put() {
        reset();
        return &pointer_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

  private:
    Interface* pointer_ = nullptr;
};

// Owns a BSTR and frees it with SysFreeString.
class UniqueBstr {
  public:
    explicit UniqueBstr(std::wstring_view text)
        : bstr_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;
    ~UniqueBstr() { SysFreeString(bstr_); }

    BSTR get() const { return bstr_; }
    explicit operator bool() const { return bstr_ != nullptr; }

  private:
    BSTR bstr_ = nullptr;
};

// Owns a VARIANT and clears it, freeing what it holds.
class UniqueVariant {
  public:
    UniqueVariant() { VariantInit(&variant_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { VariantClear(&variant_); }

    const VARIANT& get() const { return variant_; }
    // For functions that fill a VARIANT; what it held is cleared first.
    VARIANT* put() {
        VariantClear(&variant_);
        return &variant_;
    }

  private:
    VARIANT variant_;
};

// Initializes COM on the calling thread and uninitializes it on destruction,
// but only when the initialization succeeded (S_OK or S_FALSE): a thread that
// already runs in another apartment keeps its COM as it was.
class ComInitialization {
  public:
    explicit ComInitialization(DWORD concurrencyModel)
        : result_(CoInitializeEx(nullptr, concurrencyModel)) {}
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;
    ~ComInitialization() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }

    HRESULT Result() const { return result_; }

  private:
    HRESULT result_;
};
