#version 120
// Hidden model edges: the edges that faces of the model cover, drawn dashed and
// faded in a pass after the faces have filled the scene's depth texture.
//
// The dash pattern runs along the edge in model units, so dashes keep their
// place on the edge while the view turns.

attribute float edgeDistance;  // distance of the vertex from the start of its edge

uniform float depthOffset;  // as for the visible edges
uniform float dashPeriod;   // model units per dash and gap

varying float dashPhase;  // whole numbers at the start of each dash
varying vec4 edgeColor;

void main()
{
    gl_Position = ftransform();
    gl_Position.z -= depthOffset * gl_Position.w;
    gl_ClipVertex = gl_ModelViewMatrix * gl_Vertex;
    dashPhase = edgeDistance / dashPeriod;
    edgeColor = gl_Color;
}
