#version 430 core

// Fades each line towards the black background with its distance from the
// viewer, so that the far field thins out instead of turning to noise.

out vec4 color;

in VS_OUT
{
    vec3 color;
    float depth;
    float fadeDistance;
} fs_in;

void main()
{
    float visibility = 1.0 - smoothstep(0.25 * fs_in.fadeDistance, fs_in.fadeDistance, fs_in.depth);
    color = vec4(fs_in.color * visibility, 1.0);
}
