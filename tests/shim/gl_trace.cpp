// Preloaded into the trace test: records the calls that clear, pick a matrix stack, change a
// matrix or place a light, and passes each on unchanged. orvena_take_gl_trace hands them over.
#include <GL/gl.h>
#include <dlfcn.h>

#include <cstdio>
#include <string>

namespace {

std::string trace;
std::string taken;  // what the last take handed out, kept alive for the caller

template <typename function> function next(const char* name)
{
    return reinterpret_cast<function>(dlsym(RTLD_NEXT, name));
}

void note(const char* name, const double* values = nullptr, int count = 0)
{
    trace += name;
    for (int i = 0; i < count; ++i) {
        char number[32];
        std::snprintf(number, sizeof number, " %.9g", values[i]);
        trace += number;
    }
    trace += '\n';
}

}  // namespace

// The calls since the last take, a line each: the name, then the arguments.
extern "C" const char* orvena_take_gl_trace()
{
    taken.swap(trace);
    trace.clear();
    return taken.c_str();
}

extern "C" void glClear(GLbitfield mask)
{
    note("glClear");
    next<void (*)(GLbitfield)>("glClear")(mask);
}

extern "C" void glMatrixMode(GLenum mode)
{
    const double value = mode;
    note("glMatrixMode", &value, 1);
    next<void (*)(GLenum)>("glMatrixMode")(mode);
}

extern "C" void glLoadIdentity()
{
    note("glLoadIdentity");
    next<void (*)()>("glLoadIdentity")();
}

extern "C" void glPushMatrix()
{
    note("glPushMatrix");
    next<void (*)()>("glPushMatrix")();
}

extern "C" void glPopMatrix()
{
    note("glPopMatrix");
    next<void (*)()>("glPopMatrix")();
}

extern "C" void glMultMatrixf(const GLfloat* m)
{
    double values[16];
    for (int i = 0; i < 16; ++i) {
        values[i] = m[i];
    }
    note("glMultMatrixf", values, 16);
    next<void (*)(const GLfloat*)>("glMultMatrixf")(m);
}

extern "C" void glMultMatrixd(const GLdouble* m)
{
    note("glMultMatrixd", m, 16);
    next<void (*)(const GLdouble*)>("glMultMatrixd")(m);
}

extern "C" void glLoadMatrixf(const GLfloat* m)
{
    double values[16];
    for (int i = 0; i < 16; ++i) {
        values[i] = m[i];
    }
    note("glLoadMatrixf", values, 16);
    next<void (*)(const GLfloat*)>("glLoadMatrixf")(m);
}

extern "C" void glLoadMatrixd(const GLdouble* m)
{
    note("glLoadMatrixd", m, 16);
    next<void (*)(const GLdouble*)>("glLoadMatrixd")(m);
}

extern "C" void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    const double values[3] = {x, y, z};
    note("glTranslatef", values, 3);
    next<void (*)(GLfloat, GLfloat, GLfloat)>("glTranslatef")(x, y, z);
}

extern "C" void glTranslated(GLdouble x, GLdouble y, GLdouble z)
{
    const double values[3] = {x, y, z};
    note("glTranslated", values, 3);
    next<void (*)(GLdouble, GLdouble, GLdouble)>("glTranslated")(x, y, z);
}

extern "C" void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    const double values[4] = {angle, x, y, z};
    note("glRotatef", values, 4);
    next<void (*)(GLfloat, GLfloat, GLfloat, GLfloat)>("glRotatef")(angle, x, y, z);
}

extern "C" void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z)
{
    const double values[4] = {angle, x, y, z};
    note("glRotated", values, 4);
    next<void (*)(GLdouble, GLdouble, GLdouble, GLdouble)>("glRotated")(angle, x, y, z);
}

extern "C" void glScaled(GLdouble x, GLdouble y, GLdouble z)
{
    const double values[3] = {x, y, z};
    note("glScaled", values, 3);
    next<void (*)(GLdouble, GLdouble, GLdouble)>("glScaled")(x, y, z);
}

extern "C" void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    const double values[3] = {x, y, z};
    note("glScalef", values, 3);
    next<void (*)(GLfloat, GLfloat, GLfloat)>("glScalef")(x, y, z);
}

extern "C" void glLightfv(GLenum light, GLenum pname, const GLfloat* params)
{
    if (pname == GL_POSITION) {
        const double values[6] = {static_cast<double>(light),
                                  static_cast<double>(pname),
                                  params[0],
                                  params[1],
                                  params[2],
                                  params[3]};
        note("glLightfv", values, 6);
    }
    next<void (*)(GLenum, GLenum, const GLfloat*)>("glLightfv")(light, pname, params);
}
