#include "soundlibraries.h"

#include <dlfcn.h>

// QUILLNOTE_*_SONAME: the sonames the build found (src/sound/engine/CMakeLists.txt).

namespace qn {

namespace {

template <class Functions>
struct Library {
    Functions functions;
    QString error;  // empty when the library and all its functions are there
};

template <class Function>
bool resolve(void* handle, const char* symbol, Function& slot) {
    slot = reinterpret_cast<Function>(dlsym(handle, symbol));
    return slot != nullptr;
}

// Each fills its table; the name of the first function missing, or null.
#define QN_RESOLVE(member, symbol) \
    if (!resolve(handle, #symbol, table.member)) return #symbol;
const char* resolveAll(void* handle, FluidSynthFunctions& table) {
    QN_FLUIDSYNTH_FUNCTIONS(QN_RESOLVE)
    return nullptr;
}
const char* resolveAll(void* handle, SdlFunctions& table) {
    QN_SDL_FUNCTIONS(QN_RESOLVE)
    return nullptr;
}
const char* resolveAll(void* handle, SndfileFunctions& table) {
    QN_SNDFILE_FUNCTIONS(QN_RESOLVE)
    return nullptr;
}
#undef QN_RESOLVE

// `role` says what the program needs the library for.
template <class Functions>
Library<Functions> open(const char* soname, const char* role) {
    Library<Functions> library;
    // Everything bound now: nothing is looked up later on the audio thread.
    void* handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        library.error = QStringLiteral("The library %1 (%2) could not be loaded: %3.")
                            .arg(QString::fromLatin1(soname), QString::fromLatin1(role),
                                 QString::fromLocal8Bit(dlerror()));
        return library;
    }
    if (const char* missing = resolveAll(handle, library.functions)) {
        library.functions = {};
        library.error = QStringLiteral(
                            "The library %1 (%2) has no function %3: it is not the "
                            "version this program was built for.")
                            .arg(QString::fromLatin1(soname), QString::fromLatin1(role),
                                 QString::fromLatin1(missing));
        dlclose(handle);
    }
    return library;
}

const Library<FluidSynthFunctions>& fluidLibrary() {
    static const auto library =
        open<FluidSynthFunctions>(QUILLNOTE_FLUIDSYNTH_SONAME, "FluidSynth, the synthesiser");
    return library;
}
const Library<SdlFunctions>& sdlLibrary() {
    static const auto library = open<SdlFunctions>(QUILLNOTE_SDL2_SONAME, "SDL2, the sound output");
    return library;
}
const Library<SndfileFunctions>& sndfileLibrary() {
    static const auto library =
        open<SndfileFunctions>(QUILLNOTE_SNDFILE_SONAME, "libsndfile, for audio files");
    return library;
}

template <class Functions>
bool loaded(const Library<Functions>& library, QString* error) {
    if (library.error.isEmpty()) return true;
    *error = library.error;
    return false;
}

}  // namespace

bool loadFluidSynth(QString* error) {
    return loaded(fluidLibrary(), error);
}
bool loadSdl(QString* error) {
    return loaded(sdlLibrary(), error);
}
bool loadSndfile(QString* error) {
    return loaded(sndfileLibrary(), error);
}

const FluidSynthFunctions& fluid() {
    return fluidLibrary().functions;
}
const SdlFunctions& sdl() {
    return sdlLibrary().functions;
}
const SndfileFunctions& sndfile() {
    return sndfileLibrary().functions;
}

}  // namespace qn
