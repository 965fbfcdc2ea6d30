#pragma once

#include "QelCore/Singleton.h"

#include <cstddef>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace Qel {

/// The registry of every loaded V, keyed by the name hash of the asset (K is uint64_t everywhere).
/// Loading workers add while the main thread reads, so every operation takes the registry's own
/// mutex. Values are held by value and never erased while the game runs, so a pointer from get()
/// stays valid, and may be used without the lock, until the registry is destroyed.
template <class K, class V>
class Asset : public Singleton<Asset<K, V>> {
public:
    Asset() = default;

    /// The value under key, or nullptr.
    V* get(const K& key) {
        std::lock_guard lock(mutex);
        const auto found = entries.find(key);
        return found == entries.end() ? nullptr : &found->second;
    }

    /// Inserts value when key is absent; an existing value is kept and false returned.
    bool add(const K& key, V value) { return emplace(key, std::move(value)); }

    /// Inserts value, or assigns it over the value already under key (which keeps its address).
    void assign(const K& key, V value) {
        std::lock_guard lock(mutex);
        entries.insert_or_assign(key, std::move(value));
    }

    /// Builds the value in place from args when key is absent (nothing is built otherwise).
    template <class... Args>
    bool emplace(const K& key, Args&&... args) {
        std::lock_guard lock(mutex);
        return entries.try_emplace(key, std::forward<Args>(args)...).second;
    }

    size_t size() const {
        std::lock_guard lock(mutex);
        return entries.size();
    }

    /// Calls visit(key, value&) for every entry under the lock (shutdown releases, purges).
    template <class Visit>
    void forEach(Visit&& visit) {
        std::lock_guard lock(mutex);
        for (auto& [key, value] : entries) visit(key, value);
    }

    /// Removes the entries for which remove(key, value&) is true; returns how many were removed.
    /// Only for start-up purges and shutdown, when nobody holds pointers to the removed values.
    template <class Predicate>
    size_t eraseIf(Predicate&& remove) {
        std::lock_guard lock(mutex);
        return std::erase_if(entries, [&](auto& entry) { return remove(entry.first, entry.second); });
    }

private:
    mutable std::mutex mutex;
    std::unordered_map<K, V> entries;
};

} // namespace Qel
