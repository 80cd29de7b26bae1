// GLUT callbacks for the keyboard, the function keys and the animation timer.
#ifndef ORVENA_INPUT_INPUT_H
#define ORVENA_INPUT_INPUT_H

void keyboard(unsigned char key, int x, int y);
void special_key(int key, int x, int y);
void timer(int value);

#endif
