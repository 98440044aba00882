// The browser build played in Debian's Chromium as a player would: the page,
// a whole game from Start to End, the scores kept across a reload and a
// browser restart, and the picture at other pixel densities. Run by ./test.sh
// with ZELVANE_WEB_TEST=1, after packaging/web/build.sh and the desktop tests'
// build (for read_game).
import assert from 'node:assert/strict';
import { existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import {
  clickGame,
  endButton,
  launch,
  newProfile,
  openGame,
  pressLetter,
  readRecords,
  readScreen,
  root,
  serve,
  sleep,
  startButton,
  storedRecords,
  waitForScreen,
} from './browser.mjs';

const titleDone = (screen) => screen.buttonsWaiting;
const noErrors = (page) => assert.deepEqual(page.errors, [], 'the page threw');
const soundSince = (page, since) => page.evaluate((t) => window.zelvaneSound.filter((at) => at > t).length, since);
const now = (page) => page.evaluate(() => performance.now());

// The records file in the browser's storage once it holds `scores`: its
// bytes, and whether they are exactly the game's.
async function keptRecords(page, scores) {
  for (let tries = 0; tries < 50; ++tries, await sleep(100)) {
    const stored = await storedRecords(page);
    if (!stored) continue;
    const read = await readRecords(Buffer.from(stored));
    if (JSON.stringify(read.scores) === JSON.stringify(scores)) return { stored, exact: read.exact };
  }
  throw new Error(`the browser's storage never held ${scores}`);
}

// Sound stops for a moment: nothing played in the last 300 ms.
async function waitForSilence(page) {
  for (let tries = 0; tries < 50; ++tries) {
    if ((await soundSince(page, (await now(page)) - 300)) === 0) return;
    await sleep(100);
  }
  throw new Error('the sound never stopped');
}

let server;
before(async () => {
  server = await serve();
});
after(() => server?.stop());

describe('a whole game in one tab', () => {
  const profile = newProfile();
  let browser;
  let page;
  let firstWave;
  before(async () => {
    browser = await launch(profile);
    page = await openGame(browser, server.address);
  });
  after(async () => {
    await browser?.close();
    profile.remove();
  });

  test('the page: its title, icon, words on how to play, and the game at its exact size with the keyboard', async () => {
    assert.equal(await page.title(), 'Zelvane');
    const icons = await page.$$eval('link[rel=icon]', (links) => links.map((link) => link.href));
    assert.ok(icons.length > 0, 'no icon');
    for (const icon of icons) {
      const type = await page.evaluate(async (url) => (await fetch(url)).headers.get('content-type'), icon);
      assert.equal(type, 'image/png', icon);
    }
    assert.match(await page.$eval('#how', (p) => p.textContent), /Start.*letters.*Space/s);
    const canvas = await page.$eval('#canvas', (c) => {
      const r = c.getBoundingClientRect();
      return { width: c.width, height: c.height, shown: [r.width, r.height], focused: document.activeElement === c };
    });
    assert.deepEqual(canvas, { width: 475, height: 336, shown: [475, 336], focused: true });
  });

  test('the title brings in the records rows and the buttons', async () => {
    const screen = await waitForScreen(page, titleDone, 'the buttons waiting');
    assert.deepEqual(screen.records, [0, 0, 0, 0, 0]);
    noErrors(page);
  });

  test('Start by click: the ready banner, and the start cue once the click has unlocked the sound', async () => {
    assert.equal(await page.evaluate(() => Module.SDL2.audioContext.state), 'suspended');
    assert.equal(await soundSince(page, 0), 0, 'sound before any gesture');
    const clicked = await now(page);
    await clickGame(page, startButton);
    await waitForScreen(page, (s) => s.ready, 'the ready banner', 2000, 50);
    await sleep(500);
    assert.equal(await page.evaluate(() => Module.SDL2.audioContext.state), 'running');
    assert.ok((await soundSince(page, clicked)) > 0, 'cde.wav not heard');
  });

  test('while the game has the keyboard, Space, the arrows and Tab leave the page where it is', async () => {
    await page.setViewport({ width: 800, height: 300 });
    assert.ok(await page.evaluate(() => document.documentElement.scrollHeight > innerHeight), 'nothing to scroll');
    for (const key of ['Space', 'ArrowDown', 'PageDown', 'End', 'Tab']) await page.keyboard.press(key);
    const where = await page.evaluate(() => ({ y: scrollY, focused: document.activeElement.id }));
    assert.deepEqual(where, { y: 0, focused: 'canvas' });
    await page.setViewport({ width: 800, height: 600 });
  });

  test('play begins with a wave of two letters in the top row', async () => {
    const screen = await waitForScreen(page, (s) => s.wave, 'the first wave', 4000, 50);
    assert.equal(screen.waveRow, 0);
    assert.equal(screen.wave.length, 2);
    assert.equal(screen.score, 0);
    firstWave = screen.wave;
  });

  test('a miss at 0 stays 0; each letter, as the layout means it, scores 20', async () => {
    await waitForSilence(page);
    const pressed = await now(page);
    const miss = [...Array(26).keys()].find((letter) => !firstWave.includes(letter));
    await pressLetter(page, miss);
    await sleep(300);
    assert.ok((await soundSince(page, pressed)) > 0, 'the miss was not heard');
    assert.equal((await readScreen(page)).score, 0);
    // The first letter's key sits elsewhere, as on another layout: it counts by what it means.
    await pressLetter(page, firstWave[0], (firstWave[0] + 13) % 26);
    await waitForScreen(page, (s) => s.score === 20 && s.wave?.length === 1, 'the first hit', 1000, 50);
    await pressLetter(page, firstWave[1]);
    const cleared = await waitForScreen(page, (s) => s.score === 40, 'the second hit', 1000, 50);
    // The next descent tick may come before the canvas is read.
    assert.ok(cleared.waveRow <= 1, `a cleared wave is followed by a new one at the top, not in row ${cleared.waveRow}`);
  });

  test('waves land until the curtain ends the game; the results follow, then the title with the score', async () => {
    // Seven waves land at a row a second: about a minute.
    await waitForScreen(page, (s) => s.gameOver, 'GAME OVER', 75000, 500);
    const results = await waitForScreen(page, (s) => s.rates.every((rate) => rate !== null), 'the results', 10000);
    assert.ok(results.rates.every((rate) => rate >= 0 && rate <= 100), JSON.stringify(results.rates));
    const title = await waitForScreen(page, titleDone, 'the title again', 15000);
    assert.deepEqual(title.records, [40, 0, 0, 0, 0]);
    noErrors(page);
  });

  test('the score is kept as soon as it enters the table: a tab may close without End', async () => {
    assert.equal((await keptRecords(page, [40, 0, 0, 0, 0])).exact, true);
  });

  test('End saves: nothing more runs, the page offers to play again, and the browser keeps the exact file', async () => {
    await clickGame(page, endButton);
    await page.waitForSelector('#ended:not([hidden])', { timeout: 2000 });
    assert.equal(await page.evaluate(() => document.activeElement.id), 'again');
    const frames = await page.evaluate(() => window.zelvaneFrames.length);
    await sleep(500);
    assert.equal(await page.evaluate(() => window.zelvaneFrames.length), frames, 'the canvas still changes');

    const { stored, exact } = await keptRecords(page, [40, 0, 0, 0, 0]);
    assert.equal(exact, true);

    const downloads = mkdtempSync(path.join(tmpdir(), 'zelvane-download-'));
    try {
      const session = await page.createCDPSession();
      await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
      await page.click('#download');
      // The browser may show the file under its name before it has all of it.
      const file = path.join(downloads, 'jkl.yen');
      const downloaded = () => (existsSync(file) ? readFileSync(file).toString('latin1') : '');
      const expected = Buffer.from(stored).toString('latin1');
      for (let tries = 0; downloaded() !== expected && tries < 50; ++tries) await sleep(100);
      assert.equal(downloaded(), expected, 'the download is not jkl.yen');
    } finally {
      rmSync(downloads, { recursive: true, force: true });
    }
    noErrors(page);
  });

  test('Play again reloads the page, and the table holds the score', async () => {
    await Promise.all([page.waitForNavigation(), page.click('#again')]);
    const screen = await waitForScreen(page, titleDone, 'the title after the reload');
    assert.deepEqual(screen.records, [40, 0, 0, 0, 0]);
  });

  test('the score outlives the browser', async () => {
    await browser.close();
    browser = await launch(profile);
    page = await openGame(browser, server.address);
    const screen = await waitForScreen(page, titleDone, 'the title after the restart');
    assert.deepEqual(screen.records, [40, 0, 0, 0, 0]);
    noErrors(page);
  });
});

describe('other ways in', () => {
  const profile = newProfile();
  let browser;
  before(async () => {
    browser = await launch(profile);
  });
  after(async () => {
    await browser?.close();
    profile.remove();
  });

  test('Enter presses Start', async () => {
    const page = await openGame(browser, server.address);
    await waitForScreen(page, titleDone, 'the buttons waiting');
    await page.keyboard.press('Enter');
    await waitForScreen(page, (s) => s.ready, 'the ready banner', 2000, 50);
    await page.close();
  });

  test('a click on the canvas gives the game back the keyboard', async () => {
    const page = await openGame(browser, server.address);
    await page.focus('#download');
    await clickGame(page, { x: 10, y: 10 });
    assert.equal(await page.evaluate(() => document.activeElement.id), 'canvas');
    await page.close();
  });

  // Each game pixel is a square of whole device pixels, nothing smoothed.
  for (const [ratio, scale] of [
    [1.25, 1],
    [1.5, 2],
    [2, 2],
    [3, 3],
  ]) {
    test(`at ${ratio} device pixels per CSS pixel, every game pixel is ${scale} x ${scale} device pixels`, async () => {
      const page = await openGame(browser, server.address, { scale: ratio });
      await waitForScreen(page, titleDone, 'the buttons waiting');
      const box = await page.$eval('#canvas', (canvas) => {
        const r = canvas.getBoundingClientRect();
        return { x: r.x, y: r.y, width: r.width };
      });
      assert.ok(Math.abs(box.width * ratio - 475 * scale) < 0.01, `shown ${box.width} CSS pixels wide`);
      const shot = await page.screenshot({ encoding: 'base64' });
      // What reached the screen against the game's own pixels, each made a
      // block. The browser puts the canvas's corner on a device pixel near
      // its place in the page: the block grid is found on the top rows first.
      const mismatches = await page.evaluate(
        async (png, block, at) => {
          const canvas = document.getElementById('canvas');
          const game = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
          const picture = await createImageBitmap(await (await fetch(`data:image/png;base64,${png}`)).blob());
          const board = new OffscreenCanvas(picture.width, picture.height).getContext('2d');
          board.drawImage(picture, 0, 0);
          const wrongAt = ([left, top], rows) => {
            const shown = board.getImageData(left, top, canvas.width * block, rows * block);
            let wrong = 0;
            for (let y = 0; y < shown.height; ++y) {
              for (let x = 0; x < shown.width; ++x) {
                const g = (Math.floor(y / block) * canvas.width + Math.floor(x / block)) * 4;
                const s = (y * shown.width + x) * 4;
                for (let c = 0; c < 3; ++c) if (shown.data[s + c] !== game[g + c]) ++wrong;
              }
            }
            return wrong;
          };
          const near = [-2, -1, 0, 1, 2];
          const corners = near.flatMap((dx) =>
            near.map((dy) => [Math.round(at.x * devicePixelRatio) + dx, Math.round(at.y * devicePixelRatio) + dy])
          );
          const wrongOnTop = corners.map((corner) => wrongAt(corner, 40));
          return wrongAt(corners[wrongOnTop.indexOf(Math.min(...wrongOnTop))], canvas.height);
        },
        shot,
        scale,
        box
      );
      assert.equal(mismatches, 0);
      await page.close();
    });
  }
});

// A records file of the desktop game's: line 1 is all the loader reads.
const recordsLine = (scores) => `${scores.map((score) => String(score).padStart(6, '0')).join('')}\r\n`;

// Chooses `file` with Load scores; the note that follows.
async function loadScores(page, file) {
  const before = await page.$eval('#note', (note) => note.textContent);
  const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#load')]);
  await chooser.accept([file]);
  await page.waitForFunction((was) => document.getElementById('note').textContent !== was, {}, before);
  return page.$eval('#note', (note) => note.textContent);
}

// Tabs of one browser share one table: each game's score is kept, also in a
// tab closed under the curtain or hold, and scores load from a file.
describe('the scores of every tab', () => {
  const profile = newProfile();
  const files = mkdtempSync(path.join(tmpdir(), 'zelvane-load-'));
  let browser;
  before(async () => {
    browser = await launch(profile);
  });
  after(async () => {
    await browser?.close();
    profile.remove();
    rmSync(files, { recursive: true, force: true });
  });

  test('tabs playing at once keep every score, a tab closed 0, 1, 2 or 3 s after GAME OVER too', async () => {
    // Tab k hits k + 1 letters; the last stays open. They start apart, so
    // each one's GAME OVER can be watched on its own.
    const closedAfter = [0, 1000, 2000, 3000, null];
    const tabs = [];
    for (const [k, closing] of closedAfter.entries()) {
      const page = await openGame(browser, server.address, { ownWindow: true });
      await waitForScreen(page, titleDone, 'the buttons waiting');
      await clickGame(page, startButton);
      for (let hit = 1; hit <= k + 1; ++hit) {
        const { wave } = await waitForScreen(page, (s) => s.wave?.length > 0, 'a wave', 6000, 50);
        await pressLetter(page, wave[0]);
        await waitForScreen(page, (s) => s.score >= 20 * hit, 'the hit', 1000, 50);
      }
      tabs.push({ page, closing });
      await sleep(4000);
    }
    const scores = [];
    for (const { page, closing } of tabs) {
      const { score } = await waitForScreen(page, (s) => s.gameOver, 'GAME OVER', 90000, 50);
      scores.push(score);
      if (closing === null) {
        await waitForScreen(page, titleDone, 'the title again', 20000);
      } else {
        await sleep(closing);
        await page.close();
      }
    }
    const table = scores.sort((a, b) => b - a);
    const page = await openGame(browser, server.address);
    assert.deepEqual((await waitForScreen(page, titleDone, 'the title')).records, table);
    assert.equal((await keptRecords(page, table)).exact, true);
    noErrors(page);
    await page.close();
  });

  test("Load scores enters a file's scores into the stored table, and refuses a binary file", async () => {
    const page = await openGame(browser, server.address);
    await waitForScreen(page, titleDone, 'the buttons waiting');
    const kept = await storedRecords(page);
    const before = kept ? (await readRecords(Buffer.from(kept))).scores : [0, 0, 0, 0, 0];
    const desktop = path.join(files, 'jkl.yen');
    writeFileSync(desktop, recordsLine([900000, 7, 0, 0, 0]));
    assert.match(await loadScores(page, desktop), /entered and kept/);
    const merged = [...before, 900000, 7].sort((a, b) => b - a).slice(0, 5);
    const { stored } = await keptRecords(page, merged);
    const binary = path.join(files, 'atlas.png');
    writeFileSync(binary, readFileSync(path.join(root, 'assets/atlas.png')));
    assert.match(await loadScores(page, binary), /atlas\.png was not loaded, and nothing changed/);
    assert.deepEqual(await storedRecords(page), stored);
    noErrors(page);
    await page.close();
  });
});

// Where the browser keeps nothing, the game still starts and plays, one note
// says why the scores cannot be kept, and nothing claims they were.
describe('a browser that keeps no scores', () => {
  const profile = newProfile();
  let browser;
  before(async () => {
    browser = await launch(profile);
  });
  after(async () => {
    await browser?.close();
    profile.remove();
  });

  const noStorage = () => Object.defineProperty(window, 'indexedDB', { get: () => undefined });
  const readingThrows = () =>
    Object.defineProperty(window, 'indexedDB', {
      get: () => {
        throw new DOMException('The operation is insecure.', 'SecurityError');
      },
    });
  const openThrows = () => {
    IDBFactory.prototype.open = () => {
      throw new DOMException('Access to the IndexedDB API is denied in this context.', 'SecurityError');
    };
  };
  // The database cannot be made: its making is undone once the page has done its part.
  const openFails = () => {
    const open = IDBFactory.prototype.open;
    IDBFactory.prototype.open = function (...args) {
      const request = open.apply(this, args);
      Object.defineProperty(request, 'onupgradeneeded', {
        set(handler) {
          request.addEventListener('upgradeneeded', (event) => {
            handler.call(request, event);
            request.transaction.abort();
          });
        },
      });
      return request;
    };
  };
  // Chromium's own setting, "block site data", in a profile of its own.
  const siteDataBlocked = () => {
    const blocked = newProfile();
    mkdirSync(path.join(blocked.dir, 'Default'));
    const block = { profile: { default_content_setting_values: { cookies: 2 } } };
    writeFileSync(path.join(blocked.dir, 'Default/Preferences'), JSON.stringify(block));
    return blocked;
  };
  for (const [failure, breakStorage, why] of [
    ['no IndexedDB', noStorage, /offers this page no storage/],
    ['reading indexedDB throws', readingThrows, /does not let this page store anything/],
    ['opening throws', openThrows, /does not let this page store anything/],
    ['opening fails', openFails, /does not let this page store anything/],
    ['the storage is full', 'full', /storage for this page is full/],
    ['site data blocked', 'blocked', /may block site data/],
  ]) {
    test(`${failure}: the game plays, one note says why, and End claims no save`, async () => {
      const blocked = breakStorage === 'blocked' ? siteDataBlocked() : null;
      const own = blocked ? await launch(blocked) : null;
      const page = await (own ?? browser).newPage();
      if (typeof breakStorage === 'function') await page.evaluateOnNewDocument(breakStorage);
      page.errors = [];
      page.on('pageerror', (error) => page.errors.push(error.message));
      await page.goto(server.address, { waitUntil: 'load' });
      if (breakStorage === 'full') {
        const session = await page.createCDPSession();
        await session.send('Storage.overrideQuotaForOrigin', { origin: new URL(server.address).origin, quotaSize: 1 });
      }
      await waitForScreen(page, titleDone, 'the buttons waiting');
      await page.click('#download');
      assert.match(await page.$eval('#note', (note) => note.textContent), /No scores saved yet/);
      await clickGame(page, endButton);
      await page.waitForSelector('#ended:not([hidden])', { timeout: 2000 });
      const said = await page.$eval('#note', (note) => note.textContent);
      assert.match(said, /^Your scores cannot be kept in this browser: .*Download scores/);
      assert.match(said, why);
      assert.doesNotMatch(said, /No scores saved yet/, 'the note outlives the save');
      assert.equal(await page.$eval('#kept', (kept) => kept.hidden), true, 'the page claims a save');
      noErrors(page);
      await page.close();
      await own?.close();
      blocked?.remove();
    });
  }
});
