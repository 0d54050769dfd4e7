#pragma once
// Cases with computed-looking jets built in code for the scene tests and the
// scene benchmark: rising plumes bent by the current, with falling
// concentration and velocity and growing width along the trajectory.
class CCase;
class CJet;

// Fills the jet's disks with a plume of nDisks disks rising by dRise metres
// over a horizontal run of dRun metres; dTurn (radians) turns it sideways.
void FillPlumeDisks(CJet& jet, int nDisks, double dRise, double dRun, double dTurn);

// Replaces the document's contents: water depth 20 m, one outfall on the
// bed, risers 20 m apart holding two jets each (opposite ports), nJets
// jets of nDisks disks. Displays are not prepared.
void BuildSyntheticCase(CCase& doc, int nJets, int nDisks);
