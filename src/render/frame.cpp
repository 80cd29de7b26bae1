// One frame of the scene: camera, light placement, axes, the two cubes and the overlay; then
// the teaching panels that are shown.
#include "app/gl.h"
#include "app/orvena.h"
#include "render/panels.h"
#include "render/render.h"

void draw_cubes()
{
    const float mat_obj1[4] = {0.6F, 0.6F, 0.6F, 1.0F};
    const float mat_obj2[4] = {0.0F, 0.5F, 1.0F, 1.0F};

    glPushMatrix();
    {
        glRotatef(ang_obj1, 0, 0, 1);
        glTranslatef(1, 0, 0);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, mat_obj1);
        glutSolidCube(0.5);
    }
    glPopMatrix();

    // Left in force to the end of the frame; the next frame reloads the identity.
    glTranslatef(1.5F, 1.5F, 0);
    glPushMatrix();
    {
        glRotatef(ang_obj2, 0, 1, 0);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, mat_obj2);
        glutSolidCube(0.5);
    }
    glPopMatrix();
}

void draw_frame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    // The same light_pos, given before the camera transform, is taken in eye coordinates and
    // travels with the eye.
    if (light_mode == LIGHT_VIEWPOINT) {
        glLightfv(GL_LIGHT0, GL_POSITION, light_pos);
    }
    gluLookAt(cam_x, cam_y, cam_z, 0, 0, 0, 0, 1, 0);
    if (light_mode == LIGHT_FIXED) {
        glLightfv(GL_LIGHT0, GL_POSITION, light_pos);
        draw_light_marker(light_pos);
    }
    if (light_mode == LIGHT_MOVING) {
        glPushMatrix();
        {
            glRotatef(light_angle, light_axis[0], light_axis[1], light_axis[2]);
            glLightfv(GL_LIGHT0, GL_POSITION, light_pos);
            draw_light_marker(light_pos);
        }
        glPopMatrix();
    }

    draw_axes();
    draw_cubes();
    draw_overlay();
}

// The panels come after the whole frame, so that with all of them off the frame is the same.
void display()
{
    draw_frame();
    draw_panels();
    glutSwapBuffers();
}
