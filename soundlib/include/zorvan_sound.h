/*
 * ZORVAN sound library: plays the game's sound effects and background music.
 *
 * The game loads this library at run time (dlopen of ZORVAN_SOUND_LIBRARY_NAME) and binds the
 * functions by name, so every function has C linkage and a matching function-pointer type below.
 * When the library cannot be loaded, or dsInitialize answers 0, the game simply stays silent.
 *
 * Handles are plain 32-bit integers. 0 is never a valid handle; a 0, unknown, freed or foreign
 * handle passed to any function is ignored (the call answers 0 and changes nothing). Device and
 * buffer handles come from separate ranges, so passing one for the other is ignored as well.
 *
 * All calls are made from one thread (the game's UI thread).
 */
#ifndef ZORVAN_SOUND_H
#define ZORVAN_SOUND_H

#include <stddef.h>
#include <stdint.h>

#if defined(ZORVAN_SOUND_BUILDING)
#define ZORVAN_SOUND_API __attribute__((visibility("default")))
#else
#define ZORVAN_SOUND_API
#endif

/* File name the game passes to dlopen. */
#define ZORVAN_SOUND_LIBRARY_NAME "libZORVAN.so"

/* Flags for dsCreateDSB: what the game passes for its effects and for its music. An effect is
   converted to the device's format when it is created; music is kept as its WAV image and
   converted while it plays, and one music buffer sounds at a time: starting one stops the music
   that plays. Otherwise playback is the same for both. */
#define DS_FLAGS_MUSIC 1
#define DS_FLAGS_EFFECT 3

/* How many buffers can exist at the same time. */
#define DS_MAX_BUFFERS 64

/* Largest WAV image dsCreateDSB accepts, in bytes. */
#define DS_MAX_WAV_BYTES (64u * 1024u * 1024u)

#ifdef __cplusplus
extern "C" {
#endif

/* Opens the sound device. `window` is the main window's native handle (unused; kept so that the
   game can pass it). Returns the device handle, or 0 when no sound device can be opened or one is
   open already (dsLastError then says why). */
ZORVAN_SOUND_API int32_t dsInitialize(intptr_t window);

/* Creates a sound buffer from a complete WAV file image of `length` bytes at `wav`. The library
   keeps its own copy: the caller may release the image right after the call. Accepts PCM
   (8, 16, 24 or 32 bits) and 32-bit float WAV files of 1 to 8 channels. Returns the buffer
   handle, or 0 when the device handle is not the open device, the image is not a valid WAV file
   (truncated, garbage, chunk sizes beyond its end, unsupported format), or no buffer is free
   (dsLastError then says why). */
ZORVAN_SOUND_API int32_t dsCreateDSB(int32_t device, const void* wav, size_t length, int32_t flags);

/* Like dsCreateDSB, for the WAV file at `path` (a file name in the system's encoding). Music
   whose file is already a plain WAV file (one fmt and one data chunk, nothing after them) is not
   kept in memory but read from the file while it plays: the file should stay in place while the
   buffer exists (if it goes, the music stops). Returns the buffer handle, or 0 as dsCreateDSB
   does, and also when the file cannot be read. Optional for a game: one that does not find it
   reads the file itself and calls dsCreateDSB. */
ZORVAN_SOUND_API int32_t dsCreateDSBFromFile(int32_t device, const char* path, int32_t flags);

/* Starts the buffer's sound from its beginning and returns at once; a sound still playing from
   the same buffer restarts. Returns 1 when started, 0 when the handle was ignored. */
ZORVAN_SOUND_API int32_t dsPlay(int32_t buffer);

/* Like dsPlay, but the sound repeats without a gap until dsStop, dsFree or dsTerminate. */
ZORVAN_SOUND_API int32_t dsPlayLooping(int32_t buffer);

/* Stops the buffer's sound at once (nothing happens when it is silent). Returns 1 for a valid
   handle, 0 when the handle was ignored. */
ZORVAN_SOUND_API int32_t dsStop(int32_t buffer);

/* Stops and releases the buffer; its handle becomes invalid. Returns 1 when released. */
ZORVAN_SOUND_API int32_t dsFree(int32_t buffer);

/* Releases every buffer still existing and closes the device; all handles become invalid.
   Returns 1 when the device was closed, 0 when the handle was ignored. */
ZORVAN_SOUND_API int32_t dsTerminate(int32_t device);

/* Text (UTF-8, Japanese) of the most recent failure of dsInitialize or dsCreateDSB(FromFile);
   an empty text after a success. The text stays valid until the next call into the library. */
ZORVAN_SOUND_API const char* dsLastError(void);

/* Types of the functions above, for binding them by name after dlopen. */
typedef int32_t (*DsInitializeFn)(intptr_t window);
typedef int32_t (*DsCreateDSBFn)(int32_t device, const void* wav, size_t length, int32_t flags);
typedef int32_t (*DsCreateDSBFromFileFn)(int32_t device, const char* path, int32_t flags);
typedef int32_t (*DsPlayFn)(int32_t buffer);
typedef int32_t (*DsPlayLoopingFn)(int32_t buffer);
typedef int32_t (*DsStopFn)(int32_t buffer);
typedef int32_t (*DsFreeFn)(int32_t buffer);
typedef int32_t (*DsTerminateFn)(int32_t device);
typedef const char* (*DsLastErrorFn)(void);

#ifdef __cplusplus
}
#endif

#endif /* ZORVAN_SOUND_H */
