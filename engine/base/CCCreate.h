// Two-phase creation: the ending every static create...() shares once its init has run.
#pragma once

namespace engine {

// Ends a two-phase create. A create() news its object, runs the init it wants on it (from inside
// the class, where a protected or overloaded init is in reach) and hands both here:
//
//     auto* layer = new CCLayerColor();
//     return autoreleasedOrNull(layer, layer->initWithColor(color));
//
// An object whose init succeeded goes to the current autorelease pool and comes back; one whose
// init failed is deleted (it still holds only its creation reference) and null comes back. A
// create that cannot fail passes true.
template <typename T>
inline T* autoreleasedOrNull(T* object, bool initialised) {
    if (!initialised) {
        delete object;
        return nullptr;
    }
    object->autorelease();
    return object;
}

}  // namespace engine
