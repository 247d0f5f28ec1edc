#version 120
// Hidden model edges: a fragment is hidden when a face lies in front of it,
// which the comparison of its depth with the faces' depth shows. Visible
// fragments are dropped (the visible-edge pass has drawn them solid); hidden
// ones are drawn in dashes and faded.

uniform sampler2D sceneDepth;  // depth of the faces, window-sized
uniform vec2 viewportSize;     // in pixels
uniform float depthTolerance;  // keeps an edge on its own face visible
uniform float dashRatio;       // drawn part of each dash period, 0 to 1
uniform float hiddenOpacity;   // 0 hides hidden edges, 1 draws them in full

varying float dashPhase;
varying vec4 edgeColor;

void main()
{
    float faceDepth = texture2D(sceneDepth, gl_FragCoord.xy / viewportSize).r;
    bool hidden = gl_FragCoord.z > faceDepth + depthTolerance;
    if (!hidden || fract(dashPhase) > dashRatio)
        discard;
    gl_FragColor = vec4(edgeColor.rgb, edgeColor.a * hiddenOpacity);
}
