#pragma once

namespace Qel {

/// Polymorphic root of every manager: lets the shutdown delete managers through one base type.
class SBPtrClass {
public:
    virtual ~SBPtrClass() = default;
};

/// One static instance pointer per manager class. Set by the constructor, cleared by the
/// destructor; managers are created only by Systems, so callers must cope with nullptr.
template <class T>
class Singleton : public SBPtrClass {
public:
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

    static T* instance() { return sInstance; }

protected:
    Singleton() { sInstance = static_cast<T*>(this); }
    ~Singleton() override { sInstance = nullptr; }

private:
    inline static T* sInstance = nullptr;
};

} // namespace Qel
