// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

#include "engine/bateman_horn.h"
#include "engine/number_theory.h"

namespace quorvel {

// The explorer's words, in English and German. Numbers are plain digits, as in the labels.

// "5² · 7²": the prime powers, exponents raised, joined by middle dots; empty for 0 and 1.
QString FactorsText(const Factorization& factors);

// The status bar's line for the number under the pointer: the number, "prime" or its
// factorisation, and its ring.
QString ReadoutText(std::uint64_t number, std::int64_t ring, int language);

// The text of the box a left click shows: the number, and "is prime" or its factorisation.
QString ClickText(std::uint64_t number, int language);

// The inspector's account of a cell and its rays, as rich text.
QString InspectorHtml(const CellRays& cell, const CellRayReports& reports, std::int64_t terms,
                      int language);
// What the inspector says while the pointer is nowhere over the picture.
QString InspectorIdleHtml(int language);

// The View menu's entry and the panel's title; the overlay switch.
QString InspectorTitle(int language);
QString InspectorMenuText(int language);
QString RunOverlayText(int language);
// The menu entry's status tip and the overlay switch's tip.
QString InspectorStatusTip(int language);
QString RunOverlayTip(int language);

// The measures of a ray the report names, each explained in its tip.
enum class RayMeasure { Discriminant, Constant, Fundamental, ClassNumber, Ratio, Deviation };
QString RayMeasureTip(RayMeasure measure, int language);

}  // namespace quorvel
