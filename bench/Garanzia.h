#pragma once
// The guarantee of a matrix and the draw check: routines without widgets, timed on their own.

class Raccoglitore;

// Prints their rows after the table; returns how many goals were missed.
int StampaGaranzia(const Raccoglitore &risultati);
