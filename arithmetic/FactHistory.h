#pragma once

#include "arithmetic/FactMastery.h"

#include <QDate>
#include <QList>

class HistoryStore;
struct PresetPick;

// Each fact's (or skill's) record for a child, read from the history.
// Answers on days before `before` count (every answer when it is null), so
// that a week's start can be compared with today.

// The fluent time of a fact: its set's grade and its answer's digits.
int FactFluentMillis(int fact);

// The records of the given facts (AllFacts() indexes), in that order. As
// for a skill, the day a fact first became 熟练 is read only while it is 熟练
// or 牢固.
QList<FactRecord> FactRecords(const HistoryStore &store, int child, const QList<int> &facts, QDate before = {});
// Every fact's record, indexed as AllFacts(): all the grids at once.
QList<FactRecord> AllFactRecords(const HistoryStore &store, int child, QDate before = {});
// An open unit's one record: every answer in its preset's sessions of its
// choice. The day it first became 熟练 is read only while it is 熟练 or 牢固.
FactRecord SkillRecord(const HistoryStore &store, int child, const PresetPick &unit, QDate before = {});
// A unit's records: a closed unit's facts in UnitFacts() order, an open
// unit's skill alone.
QList<FactRecord> UnitRecords(const HistoryStore &store, int child, const PresetPick &unit, QDate before = {});

// Every unit 已掌握 for the child, in preset order: the facts read once for
// all the closed units, each open unit's skill on its own.
QList<PresetPick> MasteredUnits(const HistoryStore &store, int child);
