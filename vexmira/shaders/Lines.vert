#version 110
// Visible model edges, drawn over the shaded faces they bound.
//
// An edge lies exactly on the depth of its faces, so it would fight with them
// for every pixel. Each vertex is pulled towards the viewer by a small constant
// depth in normalized device coordinates instead (scaled by w in clip space),
// which keeps the offset the same at every distance from the camera.

uniform float depthOffset;  // e.g. 0.0005: a few depth-buffer steps

varying vec4 edgeColor;

void main()
{
    gl_Position = ftransform();
    gl_Position.z -= depthOffset * gl_Position.w;
    // Section views cut the model with user clip planes given in eye space.
    gl_ClipVertex = gl_ModelViewMatrix * gl_Vertex;
    edgeColor = gl_Color;
}
