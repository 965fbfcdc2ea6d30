#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Qel {

/// A linked GL program built from shader source files, with typed uniform setters. Problems never
/// stop the program: their text lands in `log` and the program object is kept.
class Shader {
public:
    /// (GL shader type, source file path) pairs, compiled and attached in the order given.
    using StageList = std::vector<std::pair<uint32_t, const char*>>;

    /// defines (lines such as "#define LIT\n") go into every stage right after its #version line,
    /// so one source file can be built into several programs; error lines keep the file's numbers.
    explicit Shader(const StageList& stages, std::string_view defines = {});
    /// Deletes the program.
    ~Shader();
    Shader(Shader&& other) noexcept;
    Shader& operator=(Shader&& other) noexcept;
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    /// Compiles the file, with defines, as one stage of type and attaches it; false (text in
    /// `log`) on failure.
    bool compile(uint32_t type, const char* path, std::string_view defines = {});

    /// Binds the program; the setters below act on the bound program.
    void use() const;
    /// Binds no program.
    static void unbind();

    void setBool(const std::string& name, bool value);
    void setInt(const std::string& name, int value);
    void setVec2(const std::string& name, const glm::vec2& value);
    void setVec3(const std::string& name, const glm::vec3& value);
    /// Column-major, not transposed.
    void setMat4(const std::string& name, const glm::mat4& value);
    /// Sets "uModel_to_NDC".
    void setModelToNDC(const glm::mat4& matrix) { setMat4("uModel_to_NDC", matrix); }
    /// Sets the sampler array "uTexture2D" to the count texture units given.
    void setTextureUnits(int count, const int* units);

    /// Whether every stage compiled and the program linked: only then may it draw.
    bool isLinked = false;
    /// GL program name; 0 when it could not be created.
    uint32_t programID = 0;
    /// Every problem of the build, one after the other, or else the last setter's error text;
    /// empty when nothing went wrong.
    std::string log;

private:
    /// Adds a build problem to `log` on a line of its own, after the ones before it.
    void report(const std::string& text);
    /// The uniform's location; a missing one (-1) replaces `log` with missingText.
    int locate(const std::string& name, std::string missingText);
};

} // namespace Qel
