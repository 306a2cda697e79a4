#pragma once

// RAII for COM and the shell's allocations: each gives back exactly what it obtained.

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

namespace kvtx::win32 {

// COM on this thread for one operation. A thread where COM runs in another mode refuses, and is
// then left as it was.
class ComApartment {
public:
    ComApartment() : result_(::CoInitialize(nullptr)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(result_)) {
            ::CoUninitialize();
        }
    }
    bool Initialized() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};

// One reference to a COM interface.
template <typename Interface> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    Interface* operator->() const { return pointer_; }
    Interface* get() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void Reset() {
        if (pointer_ != nullptr) {
            pointer_->Release();
            pointer_ = nullptr;
        }
    }
    // For the calls that hand out a new reference.
    void** Out() {
        Reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    Interface** OutTyped() {
        Reset();
        return &pointer_;
    }

private:
    Interface* pointer_ = nullptr;
};

// An item identifier list from the shell, freed with the shell's allocator.
class ShellItemIdList {
public:
    explicit ShellItemIdList(IMalloc& allocator) : allocator_(allocator) {}
    ShellItemIdList(const ShellItemIdList&) = delete;
    ShellItemIdList& operator=(const ShellItemIdList&) = delete;
    ~ShellItemIdList() {
        if (list_ != nullptr) {
            allocator_.Free(list_);
        }
    }
    LPITEMIDLIST* Out() { return &list_; }
    LPCITEMIDLIST get() const { return list_; }

private:
    IMalloc& allocator_;
    LPITEMIDLIST list_ = nullptr;
};

} // namespace kvtx::win32
