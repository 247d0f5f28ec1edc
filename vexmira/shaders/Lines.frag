#version 110
// Visible model edges: the edge's own colour, or the highlight colour while the
// edge is selected or under the cursor.

uniform vec4 highlightColor;  // alpha 0: not highlighted, 1: fully highlighted

varying vec4 edgeColor;

void main()
{
    vec3 color = mix(edgeColor.rgb, highlightColor.rgb, highlightColor.a);
    gl_FragColor = vec4(color, edgeColor.a);
}
