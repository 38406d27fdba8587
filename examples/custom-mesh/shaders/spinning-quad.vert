#version 430 core
// The quad turned by `angle` about the view axis; its colour runs from the
// corners' positions.
uniform float angle;
layout(location = 0) in vec2 position;
out vec2 corner;

void main() {
    mat2 turn = mat2(cos(angle), sin(angle), -sin(angle), cos(angle));
    corner = position + 0.5;
    gl_Position = vec4(turn * position * 1.2, 0.0, 1.0);
}
