// libFuzzer entry for the property-list reader: each input is the text of a plist, parsed and walked.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/engine.h"

using namespace engine;

namespace {

// Walking every value with the accessors callers use catches containers that were built in a
// state their own readers cannot stand (a null child, a key whose value went missing).
size_t walk(CCObject* o, int depth) {
    if (!o || depth > 600) return 0;
    size_t n = 1;
    if (auto* d = dynamic_cast<CCDictionary*>(o)) {
        CCArray* keys = d->allKeys();
        if (keys)
            for (CCObject* k : *keys) {
                auto* key = dynamic_cast<CCString*>(k);
                if (key) n += walk(d->objectForKey(key->getCString()), depth + 1);
            }
    } else if (auto* a = dynamic_cast<CCArray*>(o)) {
        for (CCObject* child : *a) n += walk(child, depth + 1);
    } else if (auto* s = dynamic_cast<CCString*>(o)) {
        n += static_cast<size_t>(s->intValue() != 0) + static_cast<size_t>(s->floatValue() != 0.f) + s->length();
    }
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setLogQuiet(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CCObject* root = parsePropertyList(reinterpret_cast<const char*>(data), size);
    if (root) {
        volatile size_t seen = walk(root, 0);
        (void)seen;
        root->release();
    }
    CCPoolManager::sharedPoolManager()->pop();
    return 0;
}
