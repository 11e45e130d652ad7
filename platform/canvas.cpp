// The OpenGL steps of the canvas that the engine has no call for, and the viewport of a picture painted straight
// on a window of another size. The engine's render targets count rows from the bottom and the window from the
// top, and the software rasteriser rounds differently in each; painted with rows from the top, the canvas gets
// exactly the window's pixels, and a flipping blit puts it on the window.
#include "platform/platform.h"

#ifdef _WIN32

bool canvasStepsAvailable() { return false; }  // Direct3D 9 paints straight onto the window
void beginCanvasPainting() {}
void copyCanvasToWindow(int, int, int) {}
void placeViewportTopLeft(int, int, int) {}

#else

#include <GL/gl.h>
#include <GL/glx.h>

#include <cstring>

namespace {

// From glext.h, which not every system's GL headers carry.
const GLenum readFramebuffer = 0x8CA8, drawFramebufferBinding = 0x8CA6;
const GLenum lowerLeft = 0x8CA1, upperLeft = 0x8CA2, negativeOneToOne = 0x935E;

typedef void (*ClipControl)(GLenum origin, GLenum depth);
typedef void (*BindFramebuffer)(GLenum target, GLuint framebuffer);
typedef void (*BlitFramebuffer)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield, GLenum);

ClipControl clipControl = nullptr;
BindFramebuffer bindFramebuffer = nullptr;
BlitFramebuffer blitFramebuffer = nullptr;
GLint canvasFramebuffer = 0;

bool hasExtension(const char* name)
{
    const char* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const size_t length = std::strlen(name);
    for (const char* p = all; p && (p = std::strstr(p, name)); p += length)
        if ((p == all || p[-1] == ' ') && (p[length] == ' ' || p[length] == '\0'))
            return true;
    return false;
}

template <typename F> F lookUp(const char* name)
{
    return reinterpret_cast<F>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

} // namespace

bool canvasStepsAvailable()
{
    // Mesa hands out an entry point for any name, so the extensions decide.
    if (!hasExtension("GL_ARB_clip_control") || !hasExtension("GL_ARB_framebuffer_object"))
        return false;
    clipControl = lookUp<ClipControl>("glClipControl");
    bindFramebuffer = lookUp<BindFramebuffer>("glBindFramebuffer");
    blitFramebuffer = lookUp<BlitFramebuffer>("glBlitFramebuffer");
    return clipControl && bindFramebuffer && blitFramebuffer;
}

void beginCanvasPainting()
{
    glGetIntegerv(drawFramebufferBinding, &canvasFramebuffer);
    clipControl(upperLeft, negativeOneToOne);
}

void copyCanvasToWindow(int width, int height, int windowHeight)
{
    clipControl(lowerLeft, negativeOneToOne);
    bindFramebuffer(readFramebuffer, static_cast<GLuint>(canvasFramebuffer));
    // The window's rows count from its bottom: the picture's top row goes to the window's top, where the
    // pointer's row 0 is.
    blitFramebuffer(0, 0, width, height, 0, windowHeight, width, windowHeight - height, GL_COLOR_BUFFER_BIT,
                    GL_NEAREST);
    bindFramebuffer(readFramebuffer, 0);
}

void placeViewportTopLeft(int width, int height, int windowHeight)
{
    glViewport(0, windowHeight - height, width, height);
}

#endif
