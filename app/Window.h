#pragma once

struct GLFWwindow;

// Initialises GLFW, opens the 800 x 600 "Coilrun" window with an OpenGL 3.2
// core context, makes it current and loads the entry points, swap interval 0.
// On failure prints one line on standard error, terminates GLFW and returns
// null. GLFW's own error descriptions go to standard error as they happen.
GLFWwindow* openGameWindow();
