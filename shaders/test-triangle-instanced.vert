#version 430 core

// 6000 copies of one small triangle wound into a triple helix around the
// tunnel, from z = -180 to z = 180. The helix turns slowly with time, breathes
// in and out along its length, and every triangle spins about its apex.

uniform mat4 mvp_matrix;
uniform float time_elapsed;

layout(location = 0) in vec2 position;

out VS_OUT
{
    vec3 color;
} vs_out;

const float pi = 3.14159265;
const int arms = 3;
const int perArm = 2000;
const float helixStart = -180.0;
const float helixLength = 360.0;
const float radius = 2.5;
const float breathing = 0.6;
const float unitsPerTurn = 24.0;
const float helixSpeed = 0.25; // radians per second
const float spinSpeed = 1.5;   // radians per second
const float size = 0.18;

vec3 hue(float h)
{
    return clamp(abs(mod(h * 6.0 + vec3(0.0, 4.0, 2.0), 6.0) - 3.0) - 1.0, 0.0, 1.0);
}

void main()
{
    int arm = gl_InstanceID % arms;
    int slot = gl_InstanceID / arms;
    float z = helixStart + helixLength * float(slot) / float(perArm);

    float angle = 2.0 * pi * (z / unitsPerTurn + float(arm) / float(arms)) + helixSpeed * time_elapsed;
    float r = radius + breathing * sin(0.15 * z + 0.8 * time_elapsed);
    vec3 center = vec3(r * cos(angle), r * sin(angle), z);

    float spin = angle + spinSpeed * time_elapsed;
    mat2 rotation = mat2(cos(spin), sin(spin), -sin(spin), cos(spin));
    vec2 local = rotation * (position * size);

    gl_Position = mvp_matrix * vec4(center + vec3(local, 0.0), 1.0);

    vec3 base = hue(fract(z / helixLength + float(arm) / float(arms) + 0.05 * time_elapsed));
    // The apex (the origin of the triangle) is lit, the base is darker.
    float shade = mix(1.0, 0.55, clamp(-position.y / 0.866, 0.0, 1.0));
    vs_out.color = mix(base, vec3(1.0), 0.15) * shade;
}
