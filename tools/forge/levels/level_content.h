// The content a level names, loaded from a forged data folder through the
// engine's own loaders: the texture list, the model list with every model
// definition (triggers and light types), and the enemy types. The engine reads
// fixed paths below the working directory ("data/tex.list", ...), so the
// loaders run from the folder that holds data/ (or from a scratch folder with
// a link named data when the output folder has another name).
#pragma once
#include <string>
#include <vector>

// Fills the engine's content tables. False, with every problem the loaders
// put on their loading log, when something could not be read.
bool load_forged_content(const std::string& data_dir, std::vector<std::string>& problems);
