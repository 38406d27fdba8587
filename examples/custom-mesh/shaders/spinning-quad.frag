#version 430 core
in vec2 corner;
out vec4 color;

void main() {
    color = vec4(corner.x, corner.y, 0.8, 1.0);
}
