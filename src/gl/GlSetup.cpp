#include "gl/GlSetup.h"

#include <GL/gl.h>

#include <cstdint>
#include <memory>

#include "image/TgaLoader.h"

void ApplyFixedGlState() {
    glClearColor(0.176f, 0.28f, 0.5f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_AUTO_NORMAL);
    glEnable(GL_NORMALIZE);
    glDepthFunc(GL_LESS);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    static const GLfloat position[4] = {100.0f, 100.0f, 100.0f, 1.0f};
    static const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_AMBIENT, white);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
}

int LoadSmokeTextures(const std::string& dir, unsigned int names[kSmokeTextureCount], CPrompt& prompt) {
    glGenTextures(kSmokeTextureCount, names);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    int loaded = 0;
    for (int i = 0; i < kSmokeTextureCount; ++i) {
        const std::string path = dir + "/smokeimages/ss" + std::to_string(i) + ".TGA";
        int width = 0, height = 0;
        std::unique_ptr<std::uint8_t[]> pixels;
        if (!LoadTGA(path, width, height, pixels, prompt) || !pixels) continue;
        glBindTexture(GL_TEXTURE_2D, names[i]);
        glTexImage2D(GL_TEXTURE_2D, 0, 4, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.get());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        ++loaded;
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    return loaded;
}

void BeginOpaqueFrame() {
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(clear[0], clear[1], clear[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
}

void EndOpaqueFrame() { glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE); }
