// The desktop, the cleaned name and the safe save put together.
#include "download/save_song.h"

#include "download/song_file_name.h"
#include "platform/files/special_folder.h"

SaveProblem SaveSong(const Text& title, const Bytes& data) {
  Text folder = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
  if (folder.empty()) return SaveProblem::kNoFolder;
  return SaveFileSafely(folder, SongFileName(title), data);
}
