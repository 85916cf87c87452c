#pragma once
#include <string>

// The world table's address for this run: the command line's (--server), else the settings'
// "WorldServer", else the game's web site with "/api/v1/".
void ChooseWorldServer(const std::string& fromCommandLine);

// `tarvelle --get-pack ID`: downloads a pack of the world table's exchange into the packs'
// folder, named after its title, keeping it only when the game's level reader can play it.
// Reports on standard output and error; returns the program's exit code.
int GetPack(const std::string& id);
