#pragma once

#include <cstdint>
#include <string>

namespace Qel {

struct MeshData;

/// A vertex array built from a ".msh" file: positions at attribute 0, texture coordinates (when
/// the file has them) at attribute 1, 16-bit indices. Releases its GL objects when destroyed.
class Mesh {
public:
    /// Reads and uploads the file; a file that cannot be opened is a strong assertion.
    explicit Mesh(const std::string& path);
    /// Uploads already parsed data.
    explicit Mesh(const MeshData& data);
    ~Mesh();
    Mesh(Mesh&& other) noexcept;
    Mesh& operator=(Mesh&& other) noexcept;
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    /// Binds the vertex array and draws every index once.
    void draw() const;
    /// Binds the vertex array and draws instanceCount instances (attributes from 2 on are the
    /// caller's).
    void drawInstanced(int instanceCount) const;

    uint32_t vao = 0;
    /// Number of 16-bit indices in the element buffer.
    uint32_t indexCount = 0;
    /// GL primitive mode.
    uint32_t primitive = 0x0004;
    std::string name;

private:
    void upload(const MeshData& data);
    void release();

    uint32_t vertexBuffer = 0;
    uint32_t elementBuffer = 0;
};

} // namespace Qel
