// What a drawing backend keeps for one texture, such as its copy in a GPU's memory. The texture
// holds it without knowing what it is, so the backend finds its copy without a lookup; the
// texture deletes it when its pixels change (the copy is stale) and when the texture goes.
#pragma once

namespace engine {

class CCTextureSlot {
public:
    virtual ~CCTextureSlot() = default;

protected:
    CCTextureSlot() = default;
    CCTextureSlot(const CCTextureSlot&) = delete;
    CCTextureSlot& operator=(const CCTextureSlot&) = delete;
};

}  // namespace engine
