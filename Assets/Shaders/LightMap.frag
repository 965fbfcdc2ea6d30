#version 450 core
// The light reaching the sprite plane, one texel per 4 x 4 window pixels: the ambient light plus
// every point light, evaluated once a frame here rather than once per overdrawn sprite fragment.
// Lit sprites read it back filtered; light changes smoothly across a few pixels, so the filtered
// value stays within a fraction of a display level of evaluating it at every pixel.

struct PackedLight {
    vec4 position; // world x, y; height above the sprite plane
    vec4 color;    // linear rgb
    vec4 params;   // range, intensity, attenuation
};

layout(std140, binding = 0) uniform Lights {
    PackedLight uLights[20];
};

uniform int uLightCount;
uniform vec3 uAmbientColor;
uniform mat4 uMapToWorld; // light map pixel (x, y, 0, 1) to the world point it shows

out vec4 lightColor;

// Light reaching a flat, viewer-facing surface at world from one point light. Written with squared
// distances: no square root but the one the height needs.
vec3 pointLight(PackedLight light, vec2 world) {
    float range = light.params.x;
    vec2 toLight = light.position.xy - world;
    float distSq = dot(toLight, toLight);
    if (range <= 0.0 || distSq >= range * range) return vec3(0.0);
    // Exponential fall-off (attenuation is a negative rate per squared world unit), faded to
    // exactly zero at the range so lights can be culled there without a visible edge.
    float falloff = exp(min(light.params.z, 0.0) * distSq);
    float reach = distSq / (range * range);
    float edge = 1.0 - reach * reach;
    // Height tilts the light: right under it a surface gets it all, at grazing angles half
    // (wrapped so that low lights still reach the floor).
    float height = max(light.position.z, 0.0);
    float facing = height > 0.0 ? height * inversesqrt(distSq + height * height) : 0.0;
    float wrapped = 0.5 + 0.5 * facing;
    return light.color.rgb * max(light.params.y, 0.0) * falloff * edge * edge * wrapped;
}

void main() {
    vec2 world = (uMapToWorld * vec4(gl_FragCoord.xy, 0.0, 1.0)).xy;
    vec3 light = uAmbientColor;
    int count = clamp(uLightCount, 0, 20);
    for (int i = 0; i < count; ++i)
        light += pointLight(uLights[i], world);
    lightColor = vec4(light, 1.0);
}
