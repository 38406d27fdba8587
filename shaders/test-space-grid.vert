#version 430 core

// A reference grid made from the vertex and instance indices alone. Every
// instance is one straight line cut into 30 segments (60 vertices drawn as
// lines), so that its colour can fade along its length:
// - the first 5/12 of the instances run along z on the ground, one every 2 units;
// - the next 5/12 run along x on the ground;
// - the rest stand upright on a coarse lattice, to judge height and motion by.
// The lines through the origin are the axes: x red, y green, z blue.

uniform mat4 mvp_matrix;
uniform uint instance_count;

out VS_OUT
{
    vec3 color;
    float depth;
    float fadeDistance;
} vs_out;

const uint segments = 30u;
const float groundHeight = -4.0;
const float spacing = 2.0;
const int majorEvery = 10;
const float latticeSpacing = 40.0;
const float postHeight = 60.0;

const vec3 xAxisColor = vec3(1.0, 0.30, 0.25);
const vec3 yAxisColor = vec3(0.35, 1.0, 0.35);
const vec3 zAxisColor = vec3(0.30, 0.55, 1.0);

// Minor lines vanish early, before they crowd into a moire near the horizon;
// major lines and axes carry the far field.
const float minorFade = 90.0;
const float majorFade = 240.0;
const float axisFade = 400.0;

void main()
{
    uint perAxis = instance_count * 5u / 12u;
    uint instance = uint(gl_InstanceID);
    // Vertices 2k and 2k + 1 are the ends of segment k.
    float along = float((uint(gl_VertexID) + 1u) / 2u) / float(segments);

    vec3 position;
    vec3 tint;
    float fade;
    if (instance < 2u * perAxis) {
        bool alongZ = instance < perAxis;
        int halfCount = int(perAxis / 2u);
        int offset = int(instance % perAxis) - halfCount;
        float across = float(offset) * spacing;
        float extent = float(halfCount) * spacing;
        float run = mix(-extent, extent, along);
        position = alongZ ? vec3(across, groundHeight, run) : vec3(run, groundHeight, across);

        vec3 axis = alongZ ? zAxisColor : xAxisColor;
        if (offset == 0) {
            tint = axis;
            fade = axisFade;
        } else if (offset % majorEvery == 0) {
            tint = mix(vec3(0.45), axis, 0.45);
            fade = majorFade;
        } else {
            tint = mix(vec3(0.28), axis, 0.25);
            fade = minorFade;
        }
    } else {
        uint post = instance - 2u * perAxis;
        uint side = max(1u, uint(sqrt(float(instance_count - 2u * perAxis))));
        int column = int(post % side) - int(side / 2u);
        int row = int(post / side) - int(side / 2u);
        position = vec3(float(column) * latticeSpacing, groundHeight + along * postHeight,
                        float(row) * latticeSpacing);
        bool axis = column == 0 && row == 0;
        tint = axis ? yAxisColor : mix(vec3(0.40), yAxisColor, 0.30);
        fade = axis ? axisFade : majorFade;
    }

    gl_Position = mvp_matrix * vec4(position, 1.0);
    vs_out.color = tint;
    // Clip-space w is the distance along the view direction.
    vs_out.depth = gl_Position.w;
    vs_out.fadeDistance = fade;
}
