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

    static T* instance() { return static_cast<T*>(sInstance); }

protected:
    // Stored as the base: downcasting `this` here, before T is constructed, is undefined.
    // A second object never takes over the pointer, so deleting the registered manager can never
    // reach a stray one (for example one whose constructor failed half-way).
    Singleton() {
        if (!sInstance) sInstance = this;
    }
    ~Singleton() override {
        if (sInstance == this) sInstance = nullptr;
    }

private:
    inline static Singleton* sInstance = nullptr;
};

} // namespace Qel
