#include "QelRenderer/ScreenClear.h"

#include <GL/glew.h>

namespace Qel {

void setClearColor(float red, float green, float blue, float alpha) {
    glClearColor(red, green, blue, alpha);
}

void clearColorBuffer() {
    glClear(GL_COLOR_BUFFER_BIT);
}

} // namespace Qel
