#version 450 core
// UI draws straight to the window: images are sRGB textures (sampled linear) re-encoded for
// display, then tinted; glyphs take the colour as is with their red channel as coverage.

uniform sampler2D uTexture2D[31];

in vec2 vUV;
in vec4 vColor;
flat in vec2 vSlot;

out vec4 fragColor;

// Each instance names the unit its texture is bound to, constant across its fragments; indexing
// directly samples one texture per fragment (see Sprite.frag).
vec4 sampleUnit(float slot, vec2 uv) {
    return texture(uTexture2D[int(slot + 0.5)], uv);
}

void main() {
    vec4 texel = sampleUnit(vSlot.x, vUV);
    if (vSlot.y > 0.5) {
        fragColor = vec4(vColor.rgb, texel.r * vColor.a);
    } else {
        fragColor = vec4(pow(texel.rgb, vec3(1.0 / 2.2)) * vColor.rgb, texel.a * vColor.a);
    }
}
