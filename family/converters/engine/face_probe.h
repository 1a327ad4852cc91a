#pragma once

// Whether the system has a font of a given face. A converter whose fonts
// include an extension face that older installations lack asks once, and
// without that face draws with its first face alone (its fallback forms),
// so no syllable is drawn in a font that is not there.

namespace vexa::family::engine {

// On Windows: does GDI list the face? Elsewhere (the simulated system of the
// native tests and tools, which installs every face of the family): true.
bool FaceInstalled(const char* face);

}  // namespace vexa::family::engine
