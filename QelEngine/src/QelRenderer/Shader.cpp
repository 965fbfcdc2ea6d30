#include "QelRenderer/Shader.h"

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include <fstream>
#include <sstream>
#include <utility>

namespace Qel {

namespace {

/// The info log of a shader or program object, read with the matching pair of GL getters.
template <class GetLength, class GetLog>
std::string infoLog(GLuint object, GetLength getLength, GetLog getLog) {
    GLint length = 0;
    getLength(object, GL_INFO_LOG_LENGTH, &length);
    std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
    GLsizei written = 0;
    if (length > 0) getLog(object, length, &written, text.data());
    text.resize(static_cast<size_t>(written));
    return text;
}

std::string programLog(GLuint program) {
    return infoLog(program, glGetProgramiv, glGetProgramInfoLog);
}

/// The stage's name as a compile failure reports it; null for a type that is no shader stage.
const char* stageName(uint32_t type) {
    switch (type) {
    case GL_VERTEX_SHADER:
        return "Vertex";
    case GL_FRAGMENT_SHADER:
        return "Fragment";
    case GL_GEOMETRY_SHADER:
        return "Geometry";
    case GL_TESS_CONTROL_SHADER:
        return "Tessellation control";
    case GL_TESS_EVALUATION_SHADER:
        return "Tessellation evaluation";
    case GL_COMPUTE_SHADER:
        return "Compute";
    default:
        return nullptr;
    }
}

} // namespace

Shader::Shader(const StageList& stages, std::string_view defines) {
    if (stages.size() == 1) report("Too few shader files!");
    programID = glCreateProgram();
    if (programID == 0) {
        report("Cant create shader program!");
        return;
    }
    bool stagesBuilt = true;
    for (const auto& [type, path] : stages)
        stagesBuilt = compile(type, path, defines) && stagesBuilt;
    // The other stages could still link (GL needs no fragment stage) into a program that draws
    // garbage, so one failed stage leaves the program unlinked.
    if (!stagesBuilt) return;

    glLinkProgram(programID);
    GLint status = GL_FALSE;
    glGetProgramiv(programID, GL_LINK_STATUS, &status);
    isLinked = status == GL_TRUE;
    if (!isLinked) {
        report("Failed to link shader program\n" + programLog(programID));
        return;
    }

    glValidateProgram(programID);
    status = GL_FALSE;
    glGetProgramiv(programID, GL_VALIDATE_STATUS, &status);
    if (status != GL_TRUE)
        report("Failed to validate shader program for current OpenGL context\n" + programLog(programID));
}

Shader::~Shader() {
    if (programID != 0) glDeleteProgram(programID);
}

Shader::Shader(Shader&& other) noexcept
    : isLinked(other.isLinked), programID(std::exchange(other.programID, 0)), log(std::move(other.log)) {}

Shader& Shader::operator=(Shader&& other) noexcept {
    if (this != &other) {
        if (programID != 0) glDeleteProgram(programID);
        isLinked = other.isLinked;
        programID = std::exchange(other.programID, 0);
        log = std::move(other.log);
    }
    return *this;
}

bool Shader::compile(uint32_t type, const char* path, std::string_view defines) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        report("File not found");
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    const std::string source = text.str();
    const char* stage = stageName(type);
    if (!stage) {
        report("Incorrect shader type!");
        return false;
    }

    // GLSL wants #version first: the defines follow it, then a #line puts the rest back on the
    // line numbers of the file.
    const size_t versionEnd = source.starts_with("#version") ? source.find('\n') : std::string::npos;
    const size_t split = versionEnd == std::string::npos ? 0 : versionEnd + 1;
    const std::string head = source.substr(0, split);
    const std::string inserted =
        defines.empty() ? std::string() : std::string(defines) + (split == 0 ? "#line 1\n" : "#line 2\n");
    const char* sources[] = {head.c_str(), inserted.c_str(), source.c_str() + split};

    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 3, sources, nullptr);
    glCompileShader(shader);
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    const bool compiled = status == GL_TRUE;
    if (compiled) {
        glAttachShader(programID, shader);
    } else {
        report(std::string(stage) + " shader compilation failed\n" +
               infoLog(shader, glGetShaderiv, glGetShaderInfoLog));
    }
    // An attached shader lives on with the program; an unattached one is freed at once.
    glDeleteShader(shader);
    return compiled;
}

void Shader::use() const {
    glUseProgram(programID);
}

void Shader::unbind() {
    glUseProgram(0);
}

void Shader::report(const std::string& text) {
    if (!log.empty() && log.back() != '\n') log += '\n';
    log += text;
}

int Shader::locate(const std::string& name, std::string missingText) {
    const GLint location = glGetUniformLocation(programID, name.c_str());
    if (location == -1) log = std::move(missingText);
    return location;
}

void Shader::setBool(const std::string& name, bool value) {
    glUniform1i(locate(name, "Uniform variable " + name + " doesn't exist"), value ? 1 : 0);
}

void Shader::setInt(const std::string& name, int value) {
    glUniform1i(locate(name, "Uniform variable '" + name + "' doesn't exist"), value);
}

void Shader::setVec2(const std::string& name, const glm::vec2& value) {
    glUniform2f(locate(name, "Uniform variable '" + name + "' doesn't exist"), value.x, value.y);
}

void Shader::setVec3(const std::string& name, const glm::vec3& value) {
    glUniform3f(locate(name, "Uniform variable '" + name + "' doesn't exist"), value.x, value.y, value.z);
}

void Shader::setMat4(const std::string& name, const glm::mat4& value) {
    glUniformMatrix4fv(locate(name, "Uniform variable '" + name + "' doesn't exist"), 1, GL_FALSE,
                       glm::value_ptr(value));
}

void Shader::setTextureUnits(int count, const int* units) {
    glUniform1iv(locate("uTexture2D", "Uniform variable 'uTexture2D' doesn't exist"), count, units);
}

} // namespace Qel
