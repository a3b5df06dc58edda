#pragma once
// The guarantee of a matrix: a routine without widgets, timed on its own against absolute goals.

class Raccoglitore;

// Registers the guarantee's cases.
void RegistraGaranzia();

// Prints their rows after the table; returns how many goals were missed.
int StampaGaranzia(const Raccoglitore &risultati);
